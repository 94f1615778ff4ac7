// Writes 16-bit mono PCM RIFF WAVE files.
#pragma once

#include <string>

#include "sounds/synth.h"

namespace assetgen {

// Samples are floats in -1..1; anything beyond is clamped. Returns false after saying why on
// stderr when the file cannot be written.
bool WriteWav(const std::string& path, const synth::Buffer& samples, int rate = synth::kRate);

}  // namespace assetgen
