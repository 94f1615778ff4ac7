// Writing pictures to files: screenshots from the script driver and the tests.
#pragma once

#include <cstdint>

namespace plat {

// Writes width x height ARGB pixels (top row first) as an RGB PNG. False on failure.
bool SavePng(const char* path, const uint32_t* argb, int width, int height);

}  // namespace plat
