// The goal's marker: a stream of small glowing particles around the trash can, plus a
// translucent panel in front of it on stage 0 and a green beam above it on stage 2.
// Reset with goalPoint = GoalPointState{}.
#pragma once

#include "platform/math.h"

struct _GOALPOINTEFFECT {
    plat::Vec3 Pos;
    int Flg = 0;        // 1 alive
    int Alpha = 0;      // 1 at spawn
    int AlphaPlus = 0;  // 0..4 at spawn; turns negative once Alpha reaches 254
    float Size = 0;     // 2.0 to 11.99
};

constexpr int kGoalPointMax = 200;
// The classroom handles only the first records: it spawns, moves and draws no others.
constexpr int kGoalPointClassroom = 30;

struct GoalPointState {
    _GOALPOINTEFFECT GoalPointEffect[kGoalPointMax];
};
extern GoalPointState goalPoint;

// Empties the pool; called whenever a stage is loaded, so no particle of the last stage
// shows up on this one.
void GoalPointEfeInit();
// One frame: spawn at most one particle, move, fade and draw them and the stage's marker.
// Expects the round's view and projection set and lighting off.
void GoalPointEfe();
