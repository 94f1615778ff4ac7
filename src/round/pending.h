// Calls the round makes into parts of the game that other folders provide. Each group has
// a stand-in definition in src/round/pending_<group>.cpp that does nothing (or hands the turn
// on where doing nothing would stall it); the folder that brings the real functions deletes
// that file.
#pragma once

#include "platform/device.h"
#include "platform/math.h"
#include "round/round_state.h"

// Traffic (pending_traffic.cpp): places, moves and draws the cars on stage 1.
void Traffic();

// Out of bounds and can exchange (pending_ob.cpp).
void OB();             // the out-of-bounds display, one step a frame, in the sprite batch
void CanTrade();       // a fresh can: new mesh, Hekomi 0, new label
void FlightOBTest();   // the zone tests during flight; set ShotFlg -1
void RestOBTest();     // the stage-1 strip test for a can at rest; sets ShotFlg -1
// The dented-can notice, one step a frame; 1 on the frame its fade-out completes.
int HekomiNotice();

// Computer players (pending_ai.cpp).
void AI_TurnTargets();  // waypoints (when CheckFlg is 0) and this turn's targets in Ai
void AI_GiveUpTest();   // sets turn.AI_MenuNo 2 when the stroke count calls for it
void AI_Parameter(_AI* ai, int* PowerGauge, int* ControlGauge, int* Ber, int* Level,
                  int* ImpactRot, int* ImpactColor);
void AI_GameMenu(int* GetNo);

// In-game menu (pending_menu.cpp).
void GameMenuKey();                          // the Enter test that opens the menu
int GameMenu(int* MenuFlg, int* EnterKeyFlg);  // 1 when return to title was chosen

// Mission and stage finish (pending_results.cpp).
int MissionClear();  // 1 on the frame it passed the turn, changed the stage or ended the round
void Finish();       // the clear display after FinishFlg became 1
