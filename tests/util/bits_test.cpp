#include "util/bits.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>

namespace {

TEST(Bits, LowestBitIsFoundInEitherHalfOfAWord) {
    const std::pair<std::uint64_t, int> cases[] = {
        {1ull, 0}, {0x80000000ull, 31}, {0x100000000ull, 32}, {0x8000000000000000ull, 63}, {0xF0F000000000ull, 36}};
    for (const auto& [bits, index] : cases) EXPECT_EQ(keslLowestBit(bits), index) << std::hex << bits;
}

}  // namespace
