// Stand-ins until the mission, stage finish and results land; delete this file then.
#include "round/pending.h"

int DrawMission() { return 1; }
int MissionClear() { return 0; }
void Finish() {}
