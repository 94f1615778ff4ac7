// Stand-ins until the computer players land; delete this file then.
#include "round/pending.h"

void AI_TurnTargets() {}
void AI_GiveUpTest() {}
void AI_Parameter(_AI*, int*, int*, int*, int*, int*, int*) {}
void AI_GameMenu(int* GetNo) { *GetNo = 0; }
