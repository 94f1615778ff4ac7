// The stage intro: the stage model grows out of nothing while it spins, the heading and the
// stage's title fade in, and the screen fades to black.
#pragma once

// What the intro keeps from frame to frame. Idle between intros; reset with
// missionIntro = MissionIntroState{}.
struct MissionIntroState {
    int MissionFlg = 0;         // 0 idle, 1 growing and spinning, 2 texts shown
    float StageScale = 0;       // 1 minus the model's scale
    float StageRot = 0;         // the model's turn about y, degrees
    float StageRotPlus = 6.0f;  // turn per frame; back to 6 at the end of every growth
    int ClearMojiAlpha = 0;     // alpha of the two texts
    int Scene = 0;              // frames the texts have been fully shown
};
extern MissionIntroState missionIntro;

// One frame of the intro, inside the caller's scene with its view and projection set.
// 1 on the frame its closing fade completes (the intro is idle again), else 0.
int DrawMission();
