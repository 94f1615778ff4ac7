// Stand-ins until out of bounds and the can exchange land; delete this file then.
#include "round/pending.h"

void OB() {}
void CanTrade() {}
void FlightOBTest() {}
void RestOBTest() {}
// No notice to show: the exchange goes ahead at once, so the turn still passes.
int HekomiNotice() { return 1; }
