// The mode functions' pacing: a frame runs only when 16 ms have passed since that mode's last
// frame and the game is not paused. The loop reads when the next frame is due so that it can
// sleep instead of spinning.
#pragma once

#include <cstdint>

struct FrameGate {
    uint32_t PrevTime = 0;  // time of this mode's last frame
    bool Started = false;   // the first call only sets PrevTime
};

// When the earliest mode frame is due; written by every gate, read by the frame loop.
struct FrameLoopState {
    uint32_t NextDue = 0;
    bool FrameRan = false;        // a mode function ran a frame on this pass
    bool MessageHandled = false;  // this pass took a window message instead
};
extern FrameLoopState frameLoop;

constexpr uint32_t kFrameMs = 16;

// True when the caller should run a frame now.
bool PassFrameGate(FrameGate* gate);
