// Stand-ins until the stage-clear step and the stage finish land; delete this file then.
#include "round/pending.h"

int MissionClear() { return 0; }
void Finish() {}
