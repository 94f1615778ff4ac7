// The window procedure: pauses on deactivation, resumes on a restore, quits on Escape or
// when the window is destroyed. Game input never comes through here.
#pragma once

#include <cstdint>

#include "platform/window.h"

intptr_t WndFunc(const plat::Message& msg);
// What the system does with messages the game does not handle (closing destroys the window).
intptr_t DefWindowProc(const plat::Message& msg);
