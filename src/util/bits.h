// Bit tricks the sky's hot loops share. A 32-bit build would call a library
// routine for the 64-bit builtin, thousands of times a frame, so the lowest
// set bit is found in two 32-bit halves there.
#pragma once

#include <cstdint>

// The index of the lowest bit set in bits (not 0).
inline int keslLowestBit(std::uint64_t bits) {
    if constexpr (sizeof(void*) == 8) return __builtin_ctzll(bits);
    const auto low = static_cast<std::uint32_t>(bits);
    return low != 0 ? __builtin_ctz(low) : 32 + __builtin_ctz(static_cast<std::uint32_t>(bits >> 32));
}
