// Loading a stage and setting up and tearing down a round.
#pragma once

#include "gfx/xfile.h"

// Loads stage StageNo into Stage (the cars too on stage 1), its music (not started), goal
// box, mini-map scale and lens-flare source. Any other number only recomputes GoalPos.
void LoadStageInit(XFILE* Stage, int StageNo);
// A new wind for the current stage (none in the classroom).
void WindInit();
// Deals the ten can labels in a new random order.
void CanTexShuffle();
// Prepares the round for the chosen players, after the stage has been loaded.
void GameInit();
// Releases everything the round loaded; safe to call more than once.
void GameEnd();

// Base abilities by character number: Power, Control, PowerShot, Luck.
struct CharacterBase {
    int Power, Control, PowerShot, Luck;
};
extern const CharacterBase kCharacterBase[4];
