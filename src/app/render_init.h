// The standing render states, and what every mode function does when a frame cannot be shown.
#pragma once

// Depth test and write on, alpha blending SRCALPHA / INVSRCALPHA, texture modulated by the
// diffuse colour, counter-clockwise culling, linear filtering.
void RenderInit();

// Presents the frame; on a device that needs a reset, releases and resets in order and puts
// the screen's light back with setLight. A lost device just waits for the next frame.
void PresentFrame(void (*setLight)());
