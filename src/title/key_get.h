// The menus' keyboard reader: at most one new press per call, with its feedback sound.
#pragma once

// Key codes of the menus.
enum MenuKey : int {
    kKeyNone = 0,
    kKeyUp = 1,
    kKeyRight = 2,
    kKeyDown = 3,
    kKeyLeft = 4,
    kKeyDecide = 5,  // Z
    kKeyBack = 6,    // X
};

// Polls Up, Down, Right, Left, Z and X in that order. A press counts only when all six keys
// have been up since the last one (game.KeyFlg is the latch); an arrow or X whose sound set
// is all busy is lost. Z on a taken character still returns 5, with the error sound.
int KeyGet();
