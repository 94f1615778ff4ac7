// The front end's state: the current menu screen and what the set-up screens hold.
// Reset with title = TitleState{} when the title is set up afresh.
#pragma once

struct TitleState {
    // -1 options, 0 opening logo, 1 title menu, 2 number of players, 3 character select,
    // 4 play mode, 5 stage select, 6 set-up fade-out, 7 stage intro
    int SceneFlg = 0;
};
extern TitleState title;
