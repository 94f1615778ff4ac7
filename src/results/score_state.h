// The score screen's state and the ceremony's, each a plain struct with one instance.
// ScoreState is what ScoreInit sets on every visit; ScoreFrameState is what the first frame
// of a visit sets; ScoreRunState lives for the whole run (the frame gate and the three set-up
// flags, which only the exit from the screen clears). The phase of the screen is the menus'
// key latch, game.KeyFlg: 0 ceremony, 1 results table, 2 last-place gag, 3 closing iris.
#pragma once

#include <cstdint>

#include "app/frame_gate.h"
#include "gfx/xfile.h"
#include "platform/math.h"
#include "platform/texture.h"

// Shared by the score screen and the ceremony; the values are ScoreInit's.
struct ScoreState {
    int YFlg = 0;       // 1 once the opening camera tilt is over: the ceremony moves from then on
    int XFlg = 0;       // 1 while the camera pans to the last place (four players)
    int RockFlg = 0;    // 1 once the pan is over: the rock falls
    int AngFlg = 0;     // 1 once the winner has walked to its place
    int CupFlg = 0;     // 1 once the finishers have turned: the cups come down
    int JFlg[3] = {};   // jump of the 1st, 2nd, 3rd place: 0 waiting, 1 in the air, 2 standing
    float Kaku[3] = {1, 1, 1};  // extra scale of each cup; 0.8 once its finisher stands
    // Sound latch: 0 free, 1 a take-off or the voice has played, 2 a landing has sounded
    // (freed on the next ceremony frame), 3 the third place has landed, 4 the rock has landed.
    int OnFlg1 = 0;
    int EnterFlg1 = 0;  // Z latch of the table; stays 1 after the press that leaves it
    float ListY = -10;  // podium height
    int Ang = 0;        // turn of the finishers towards the camera, degrees
    int BiriAng = 90;   // heading of the last place
    int CupAng = 0;     // spin of the cups
    plat::Vec3 RockPos{5, 4, -6};
    plat::Vec3 CupPos0{0, 9.5f, -15}, CupPos1{-2, 9.5f, -15}, CupPos2{2, 9.5f, -15};
    // 1st, 2nd and 3rd place (the names follow the model slots: slot 0 holds the third).
    plat::Vec3 CharaPos1{-13, -2, -5}, CharaPos2{-15, -2, -5}, CharaPos0{-11, -2, -5};
    float EnSize = 1300;           // side of the iris opening, pixels
    float Enx = 530, Eny = 330;    // its centre
    // Iris: 0 closing; with four players the last-place gag follows: 1 caption fades in,
    // 2 caption fades out while the last place turns and cries, 3 a small iris opens on it,
    // 4 it closes (Z) and the screen is left.
    int EnFlg = 0;
};
extern ScoreState score;

// Set on the first frame of every visit.
struct ScoreFrameState {
    float CameraY = 20;             // height of the look-at point (0, CameraY, 0)
    float X = 0, Y = 0, Z = -9.5f;  // camera eye
    int flg = 0;                    // 1 winner banner shown, 2 the second place stands (banner gone)
    float x = -600;                 // banner x
    float y = -100;                 // results heading y
    float stx[3] = {640, 640, 640}; // x of the 1st, 2nd, 3rd-place rows
    int Alpha = 0;                  // dark veil behind the table
    int Alpha2 = 0;                 // opening of the white panels, 0..255
    int Alpha3 = 0, AL4 = 0;        // fade in and out of the iris caption
    int Vol = 1000;                 // music master volume, hundredths of a decibel
};
extern ScoreFrameState scoreFrame;

struct ScoreRunState {
    FrameGate Gate;
    // 0 = Score, EndUpdateProc, EndRenderProc set up their frame state on their next call.
    int ScoreInitFlg = 0;
    int EndUpdateProcFlg = 0;
    int EndRenderProcFlg = 0;
};
extern ScoreRunState scoreRun;

// A finisher's ending model: body with head, and the two legs that swing.
struct ENDCHARA {
    XFILE Body;
    XFILE AsiHidari;
    XFILE AsiMigi;
};

// What ScoreInit loads and ScoreEnd releases (the sounds live in audio.*).
struct ScoreAssets {
    XFILE List, Jimen, Biri, Rock, Naku, Futuu, Cup0, Cup1, Cup2;
    // Model slots by place: 1st Chara1, 2nd Chara2, 3rd Chara0, 4th Chara3.
    ENDCHARA Chara0, Chara1, Chara2, Chara3;
    plat::Texture* lpScore = nullptr;  // overlay sheet
    plat::Texture* lpEn = nullptr;     // iris mask
};
extern ScoreAssets scoreAssets;

// The model slot of place 1..4.
ENDCHARA* CharaOfPlace(int place);

// Every sound request of the screen, counted by sound; tests read and reset it.
struct ScoreSoundLog {
    int TakeOff = 0;  // lpSSample3
    int Landing = 0;  // lpSSample4
    int Voice = 0;    // lpSSample5
    int Fall = 0;     // lpSSample6 (also while it is still sounding)
    int Thud = 0;     // lpSSample7
};
extern ScoreSoundLog scoreSounds;
