// The human player's shot input: aim, power, control and impact-angle gauges, then the swing.
#pragma once

// What the gauges keep between frames. Reset with gauges = GaugeState{}.
struct GaugeState {
    int GaugeMove = 1;   // the marker moves by -GaugeMove a frame; the angle by +GaugeMove
    float kasoku = 0;    // the swing's angular speed
};
extern GaugeState gauges;

// One frame of the gauges (ParaMode 1..5); at the end of the swing sets ShotFlg 5.
void Parameter(int* PowerGauge, int* ControlGauge, int* Ber, int* Level, int* ImpactRot,
               int* ImpactColor);
