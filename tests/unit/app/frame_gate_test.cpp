#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/frame_gate.h"
#include "platform/clock.h"

namespace {

TEST(FrameGate, RunsAtMostOnceEvery16msAndNeverWhilePaused) {
    plat::UseFakeClock(0xFFFFFFF0u);  // the unsigned difference survives the wrap
    app.PauseFlg = 0;
    FrameGate gate;
    EXPECT_FALSE(PassFrameGate(&gate)) << "the first call only starts the clock";
    plat::AdvanceFakeClock(15);
    EXPECT_FALSE(PassFrameGate(&gate));
    EXPECT_EQ(frameLoop.NextDue, 0xFFFFFFF0u + 16);
    plat::AdvanceFakeClock(1);
    EXPECT_TRUE(PassFrameGate(&gate));
    EXPECT_FALSE(PassFrameGate(&gate));
    plat::AdvanceFakeClock(40);  // a late frame does not make up for lost time
    EXPECT_TRUE(PassFrameGate(&gate));
    EXPECT_FALSE(PassFrameGate(&gate));

    app.PauseFlg = 1;
    plat::AdvanceFakeClock(100);
    EXPECT_FALSE(PassFrameGate(&gate));
    app.PauseFlg = 0;
    EXPECT_TRUE(PassFrameGate(&gate));
    plat::UseRealClock();
}

}  // namespace
