// The state of a round: the per-player records, the round-wide values and the private state
// of the turn flow, each a plain struct with one instance. Reset a whole round with
// game = GameState{}, turn = TurnState{}, ready = ReadyState{}.
#pragma once

#include <cstdint>

#include "app/frame_gate.h"
#include "gfx/xfile.h"
#include "platform/math.h"
#include "platform/texture.h"

// One player's place in the round.
struct CHARBOX {
    int GoalFlg = 0;      // 1 once the can is holed on the current stage
    int Dasu[3] = {};     // strokes per stage; 0 = not yet played there (no can shown)
    int TotalDasu = 0;    // sum of Dasu, added when the round ends
    int DasuBase = 0;     // offset in the computer's give-up rule; stays 0
    int GiveUpFlg = 0;    // 0 playing, 1 giving up (fading out), 2 retired from the stage
    int OBFlg = 0;        // 1 after out of bounds: the next ready phase shows no hand
    int Rank = 1;         // finishing place, computed when the round ends
    XFILE Foot;           // legs
    XFILE Body;           // body, swings with the umbrella
    XFILE Head;
    XFILE RightHand;      // the hand that stands the can up
    plat::Texture* lpEffect = nullptr;  // cut-in picture, 1024 x 512
};

// One player's can.
struct _CAN {
    plat::Vec3 Pos;       // (0, 7, 0) at the start of every stage
    float Dir = 0;        // heading in degrees about y; 0 looks along +z
    float Spin = 0;       // tumble about the sideways axis
    float Lean = 0;       // 90 lying on its side, 0 upright
    float Hekomi = 0;     // dent; exchanged at 1 + Luck / 2
    XFILE Mesh;           // the player's own copy of "XFile/Can.x", dented in place
};

// The goal box: the can is in when Min < Pos < Max strictly on all axes.
struct _JUDGE {
    plat::Vec3 Max;
    plat::Vec3 Min;
};

// A character's abilities.
struct CharParameter {
    int Power = 0;      // 1..5; launch speed factor 1.6 + Power / 10
    int Control = 0;    // 1..5; a control error turns the shot by e * (5 / Control)
    int Luck = 0;       // 1..5; traffic density and the dent limit 1 + Luck / 2
    int PowerShot = 0;  // power shots left
    int Com = 0;        // 1 = computer player (meaningful in CharGet only)
};

// The computer's plan for the current shot.
struct _AI {
    int PowerGauge = 0;
    int ControlGauge = 0;
    int Level = 0;       // 2 = take a power shot when any are left
    int ImpactRot = 0;
    float RotY = 0;      // aim relative to the default aim at the goal
};

// A waypoint of the computer player.
struct _CHECKBOX {
    plat::Vec3 Pos;
    float GoalKyori = 0;  // distance from Pos to GoalPos
};

// A car of the traffic on stage 1.
struct _CAR {
    plat::Vec3 Pos;
    float MoveX = 0;   // x movement per frame, the same for a whole lane
    int Interval = 0;  // waits while the car ahead is nearer than this
};

// A slot of the character-select screen.
struct PLAYERSLOT {
    int DecideFlg = 0;  // 1 once the player has chosen
    int CharaNo = 0;
};

struct GameState {
    // Players and stage.
    int Ninzu = 0;            // players 1..4
    int PlayerNo = 0;         // current player
    int SelectStageType = 0;  // 0 free play, 1 mission
    int StageNo = 0;          // 0 stairs, 1 road, 2 classroom

    // Turn flags.
    int ShotFlg = 0;    // 0 set-up, 1 ready, 2 aim, 5 swung, 6 flight, 7 at rest, -1 OB/stage change
    int ParaMode = 1;   // 1 aim, 2 power, 3 control, 4 angle, 5 swing
    int jumpFlg = 0;    // 1 while the launched can moves
    int GoFlg = 0;      // 1 while the shot sparks play
    int FinishFlg = 0;  // 1 holed this turn, 2 clear display running
    int CanRollingFlg = 0;
    int MissShotFlg = 0;
    int CharEfeFlg = 0;          // perfect power shot set up: the character glows
    int Iniflg = 0;              // 0 = apply the camera defaults next frame
    int CharParaInit = 0;        // 0 = load Character from CharGet next frame
    int CheckFlg = 0;            // 0 = lay out the computer's waypoints next turn
    int CameraConditionFlg = 0;  // 0 follow, 1 free, 2 fixed high camera (stage 2 flight)
    int DrawMissionFlg = 0;      // 0 = show the stage intro first
    int TitleFlg = 0;            // 1 = the menu chose return to title
    int CarInitFlg = 0;          // 0 = place the traffic afresh
    int ChaimFlg = 0;            // frames until the school chime; -1 played
    int WindowCrashFlg = 0;
    int Hit = 0;                 // last stage test of the frame: 1 floor or ceiling contact

    // Physics.
    float G = 0.3f;
    plat::Vec3 Wind;
    int WindMeter = 0;           // 0..79 as shown on the HUD
    plat::Matrix WindRot;        // the wind's direction as a y rotation
    plat::Vec3 FlyPos;           // the can's velocity per frame
    plat::Vec3 CanPos;           // where the can stood when the turn began
    plat::Vec3 GoalPos;          // centre of the goal box
    plat::Vec3 PointPos;         // the computer's aim point
    int AverageDasu = 0;         // strokes at which a computer player gives up

    // Camera and character.
    plat::Vec3 Pos, LookPos;     // camera position and look-at point
    float RotY = 0, RotX = 0;    // aim heading (relative to the goal line) and pitch
    int Zoom = 0;                // field of view in degrees
    float Kyori = 0;             // camera distance behind the can
    plat::Vec3 H;                // camera height offset
    float Yng = 0, Xng = 0;      // the camera's heading and pitch
    float CharYng = 0;           // the character's facing
    float SwingRot = 0;          // umbrella swing angle
    float MiniMapScale = 0;

    // Meshes and records.
    XFILE Stage, Arrow;
    _AI Ai;
    CHARBOX CharBox[4];
    _CAN Can[4];
    _JUDGE Judge;
    CharParameter Character;     // the current player's working copy
    CharParameter CharGet[4];
    _CHECKBOX CBox[5];
    _CAR Lane[4][6];
    int No[4] = {};              // character number of each player
    PLAYERSLOT Player[4];
    int Not[4] = {};             // 1 when character c is taken on the select screen
    int CanTexNo[10] = {};       // label permutation; entry i < Ninzu is player i's
    plat::Texture* lpCanTex[10] = {};
    XFILE Track[4];              // car mesh of each lane
    plat::Vec3 SavePos[2];       // the can after this frame's move, and the one before

    // Textures of the round screen.
    plat::Texture* lpGauge = nullptr;
    plat::Texture* lpBg2 = nullptr;
    plat::Texture* lpShotEffect = nullptr;
    plat::Texture* lpEffectCircle = nullptr;
    plat::Texture* lpSmoke = nullptr;
    plat::Texture* lpCanOB = nullptr;
    plat::Texture* lpCanShadow = nullptr;
    plat::Texture* lpGameText = nullptr;  // loaded by the title, kept into the round

    // The menus' key latch, shared by the gauges and the in-game menu.
    int KeyFlg = 0;
};
extern GameState game;

// What the turn flow keeps between frames.
struct TurnState {
    FrameGate Gate;              // PrevTime of the last frame that ran
    int PowerGauge = 0;          // 0 is full power
    int ControlGauge = 0;        // 100 dead straight
    int BerGauge = 0;            // the moving marker
    int Level = 0;               // 1 normal, 2 power shot
    int ImpactRot = 0;           // launch elevation in degrees
    int ImpactColor = 0;         // running step of the impact cut-in
    int Menu = 0;                // 1 while the in-game menu is open
    int EnterKeyFlg = 0;
    int AI_MenuNo = 0;           // menu entry a computer player walks to
    int Scene = 0;               // give-up counter
    int Change = 0;              // frames since the can came to rest
    int HMYFlg = 0;              // can-exchange display set up
    float HekomiMojiY[4] = {}, HekomiMojiPlus[4] = {}, Plus[4] = {};
    int R[4] = {};
    int FrameCount = 0;          // frames of the missed-swing flash
    int PointNo = 0;             // the computer's waypoint
    int aaaa = 0;                // waypoints on this stage
    plat::Vec3 CharPos;          // the character's feet this turn
    float CharScale = 0, CharAlpha = 0;
    int CharColorRed = 0;
    int NiceMojiAlpha = 0;
    int TailScene = 0;
    float YRot = 0;              // sky drift
    float Smoll = 0;             // how far the viewfinder has come in
};
extern TurnState turn;

// The ready phase: fade-in, player banner, the hand that stands the can up.
struct ReadyState {
    int Flg = 0;        // 0 fading in, 1 banner, 2 banner gone
    int Frame = 0;
    int Move = 0;       // banner slide
    int HandFlg = 0;    // hand step 0..5
    int HandScene = 0;  // frames within the hand step
    plat::Vec3 HandPos;
    int HandRot = 0;
    plat::Vec3 Vector;
};
extern ReadyState ready;
