// Stand-ins until the in-game menu lands; delete this file then.
#include "round/pending.h"

void GameMenuKey() {}
int GameMenu(int* MenuFlg, int*) {
    *MenuFlg = 0;
    return 0;
}
