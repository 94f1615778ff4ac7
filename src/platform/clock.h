// The millisecond clock: real (SDL) or fake (advanced by tests and scripts).
#pragma once

#include <cstdint>

namespace plat {

// Milliseconds since an arbitrary start.
uint32_t TimeGetTime();

// Switches to the fake clock at startMs; time then moves only by AdvanceFakeClock.
void UseFakeClock(uint32_t startMs);
void UseRealClock();
bool FakeClockInUse();
void AdvanceFakeClock(uint32_t ms);

// Sleeps until TimeGetTime() reaches dueMs (returns at once with the fake clock).
void SleepUntil(uint32_t dueMs);

}  // namespace plat
