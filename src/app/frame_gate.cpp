#include "app/frame_gate.h"

#include "app/app_state.h"
#include "platform/clock.h"

FrameLoopState frameLoop;

bool PassFrameGate(FrameGate* gate) {
    const uint32_t now = plat::TimeGetTime();
    if (!gate->Started) {
        gate->Started = true;
        gate->PrevTime = now;
        frameLoop.NextDue = now + kFrameMs;
        return false;
    }
    if (now - gate->PrevTime < kFrameMs || app.PauseFlg == 1) {
        frameLoop.NextDue = gate->PrevTime + kFrameMs;
        return false;
    }
    gate->PrevTime = now;
    frameLoop.NextDue = now + kFrameMs;
    frameLoop.FrameRan = true;
    return true;
}
