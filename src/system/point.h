// The point of the whole system, in the same pixels and directions as the
// rectangle: whole pixels for the screen and the cursor, fractional ones for
// positions of moving things.
#pragma once

template <typename T>
struct keslPoint {
    T x{};
    T y{};

    bool operator==(const keslPoint& other) const { return x == other.x && y == other.y; }
    bool operator!=(const keslPoint& other) const { return !(*this == other); }
};
