// The rectangle of the whole system (it lives on the ground floor because the
// system services report monitors in it): positions and sizes in device pixels
// (or fractional pixels for the float form), origin top-left, y downwards.
// Kept as top/left/width/height because most callers move and resize.
#pragma once

#include <string>

template <typename T>
class keslRect {
public:
    T top{};
    T left{};
    T width{};
    T height{};

    keslRect() = default;
    keslRect(T aTop, T aLeft, T aWidth, T aHeight) : top(aTop), left(aLeft), width(aWidth), height(aHeight) {}
    keslRect(const keslRect&) = default;
    keslRect& operator=(const keslRect&) = default;
    virtual ~keslRect() = default;

    virtual T getBottom() const { return top + height; }
    virtual T getRight() const { return left + width; }

    bool operator==(const keslRect& other) const {
        return top == other.top && left == other.left && width == other.width && height == other.height;
    }
    bool operator!=(const keslRect& other) const { return !(*this == other); }

    // Integer rectangles only: the text form log lines use.
    std::string toString() const {
        return "Top:" + std::to_string(top) + ", Left:" + std::to_string(left) +
               ", Bottom:" + std::to_string(getBottom()) + ", Right:" + std::to_string(getRight()) +
               ", Width:" + std::to_string(width) + ", Height:" + std::to_string(height);
    }
};
