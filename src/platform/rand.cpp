// The original desktop C library's generator: next = next * 214013 + 2531011, result bits
// 16..30, so a seed gives the same sequence the game always had.
#include "platform/rand.h"

#include <cstdint>

namespace plat {
namespace {
uint32_t randNext = 1;
}

void SRand(unsigned seed) { randNext = seed; }

int Rand() {
    randNext = randNext * 214013u + 2531011u;
    return int((randNext >> 16) & 0x7FFFu);
}

}  // namespace plat
