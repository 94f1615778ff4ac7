// The whole life of the program: start-up, the frame loop, shutdown.
#pragma once

#include <cstdint>

// Which platform backends a run uses: the real ones, or headless ones for scripts and tests.
struct RunOptions {
    bool headlessWindow = false;  // no window; messages only from PostMessage
    bool nullDevice = false;      // record draws instead of drawing
    bool nullAudio = false;       // buffers play silently on the game clock
    bool scriptedInput = false;   // fake clock and scripted keys
};

// Start-up in order; false when the window or the device could not be made (the error has
// been shown), and then nothing needs shutting down.
bool AppStartup(const RunOptions& options);
// One pass of the frame loop: a message, or else one call of the current mode function.
// False when the loop must end (the quit message arrived or OwariFlg is 1).
bool AppFramePass();
// Releases everything in order and writes data.txt.
void AppShutdown();

// The program: start-up, the loop (sleeping while no frame is due), shutdown.
int WinMain();
