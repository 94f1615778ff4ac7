// The camera keys while aiming: turn, tilt and zoom the follow camera, and the free camera
// with its viewfinder.
#pragma once

// Reset with camera = CameraState{}.
struct CameraState {
    int KeyFlg = 0;  // the Space key's latch (not the menus' KeyFlg)
};
extern CameraState camera;

// One frame of the camera keys, with the shot's level (a power shot may zoom out to 180).
void CameraWork(int Level);
// The viewfinder overlay sliding in over the free camera and out after it, in its own
// sprite batch.
void DrawFreeCameraFrame();
