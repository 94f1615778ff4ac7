#include <gtest/gtest.h>

#include "platform/rand.h"

namespace {

TEST(Rand, FifteenBitSequenceOfTheOriginalLibrary) {
    plat::SRand(1);
    EXPECT_EQ(plat::Rand(), 41);
    EXPECT_EQ(plat::Rand(), 18467);
    EXPECT_EQ(plat::Rand(), 6334);
    plat::SRand(1);
    EXPECT_EQ(plat::Rand(), 41) << "reseeding restarts the sequence";
    plat::SRand(12345);
    for (int i = 0; i < 10000; ++i) {
        const int r = plat::Rand();
        ASSERT_GE(r, 0);
        ASSERT_LE(r, plat::kRandMax);
    }
}

}  // namespace
