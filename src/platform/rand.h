// The game's one random generator: 15-bit results (0 to 32767) with the original desktop C
// library's linear congruential sequence, seedable by tests and scripts.
#pragma once

namespace plat {

constexpr int kRandMax = 32767;

void SRand(unsigned seed);
int Rand();

}  // namespace plat
