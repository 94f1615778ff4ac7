// Real clock from SDL's millisecond counter; the fake one moves only when told to.
#include "platform/clock.h"

#include <SDL.h>

namespace plat {
namespace {

struct ClockState {
    bool fake = false;
    uint32_t fakeNow = 0;
};
ClockState clockState;

}  // namespace

uint32_t TimeGetTime() {
    if (clockState.fake) return clockState.fakeNow;
    return SDL_GetTicks();
}

void UseFakeClock(uint32_t startMs) {
    clockState.fake = true;
    clockState.fakeNow = startMs;
}

void UseRealClock() { clockState.fake = false; }

bool FakeClockInUse() { return clockState.fake; }

void AdvanceFakeClock(uint32_t ms) { clockState.fakeNow += ms; }

void SleepUntil(uint32_t dueMs) {
    if (clockState.fake) return;
    const int32_t wait = int32_t(dueMs - SDL_GetTicks());
    if (wait > 0) SDL_Delay(uint32_t(wait));
}

}  // namespace plat
