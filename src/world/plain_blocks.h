// Drawing a picture made of square blocks, many of them one plain colour (a
// night sky): the plain blocks are filled and only the others copied. A copy
// reads the picture's memory as well as writing the window's, and a frame's
// changes are scattered small rectangles, so each copy mostly waits for
// memory; a fill only writes.
#pragma once

#include "platform/window.h"
#include "system/rect.h"

#include <algorithm>
#include <optional>

// Draws rect (window pixels, inside the picture) block by block, blocks of
// 2^shift pixels from the window's corner. plainColour(column, row) gives a
// block's colour when it is all one colour, nothing when it must be copied;
// copy(piece) copies a piece of the picture, lying within one row of blocks.
// Rows of blocks plain in one colour across the rectangle are filled at once.
template <typename PlainColour, typename Copy>
void keslDrawInPlainBlocks(keslWindow& window, const keslRect<int>& rect, int shift, PlainColour&& plainColour,
                           Copy&& copy) {
    const int left = rect.left, right = rect.left + rect.width;
    const int top = rect.top, bottom = rect.top + rect.height;
    if (right <= left || bottom <= top) return;
    const int size = 1 << shift;
    const int firstColumn = left >> shift, lastColumn = (right - 1) >> shift;
    // The plain rows not yet filled: where they begin, and their colour.
    int plainTop = -1;
    keslColor plainRowColour = 0;
    auto fillPlainRows = [&](int until) {
        if (plainTop >= 0) window.fillRect(keslRect<int>(plainTop, left, right - left, until - plainTop), plainRowColour);
        plainTop = -1;
    };
    for (int row = top >> shift; row << shift < bottom; ++row) {
        const int y0 = std::max(top, row << shift);
        const int y1 = std::min(bottom, (row + 1) << shift);
        const std::optional<keslColor> first = plainColour(firstColumn, row);
        bool rowPlain = first.has_value();
        for (int column = firstColumn + 1; rowPlain && column <= lastColumn; ++column) {
            rowPlain = plainColour(column, row) == first;
        }
        if (rowPlain) {
            if (plainTop >= 0 && *first != plainRowColour) fillPlainRows(y0);
            if (plainTop < 0) plainTop = y0;
            plainRowColour = *first;
            continue;
        }
        fillPlainRows(y0);
        for (int column = firstColumn; column <= lastColumn;) {
            // A run of blocks alike: plain in one colour, or all to be copied.
            const std::optional<keslColor> colour = plainColour(column, row);
            const int start = column;
            while (column <= lastColumn && plainColour(column, row) == colour) ++column;
            const keslRect<int> piece(y0, std::max(left, start * size), std::min(right, column * size) - std::max(left, start * size),
                                      y1 - y0);
            if (colour) {
                window.fillRect(piece, *colour);
            } else {
                copy(piece);
            }
        }
    }
    fillPlainRows(bottom);
}

// Runs draw(rect) for each rectangle of the window's clip region, or once
// for the whole window when it has none, with the region lifted meanwhile:
// what draw paints is then clipped only as it clips it itself.
template <typename Draw>
void keslForEachClipRect(keslWindow& window, const keslRect<int>& whole, Draw&& draw) {
    const keslDirtyRegion* region = window.getClipRegion();
    if (!region) {
        draw(whole);
        return;
    }
    window.setClipRegion(nullptr);
    for (const keslRect<int>& rect : *region) draw(keslIntersection(rect, whole));
    window.setClipRegion(region);
}
