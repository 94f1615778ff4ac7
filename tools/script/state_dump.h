// The game's state as one JSON object, for scripts and tests.
#pragma once

#include <string>

std::string DumpState();
