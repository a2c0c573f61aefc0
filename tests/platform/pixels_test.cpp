// The block copy both backends draw images with.
#include "platform/pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Pixels {
    Pixels(int width, int height, keslPixel fill) : memory(static_cast<size_t>(width) * height, fill) {
        view = keslPixelView{memory.data(), width, height};
    }
    keslPixel at(int x, int y) const { return view.row(y)[x]; }
    std::vector<keslPixel> memory;
    keslPixelView view;
};

TEST(PixelCopy, AKeyedCopySkipsTheKeyWhateverTheFourthByteHolds) {
    Pixels target(3, 1, 0xFFFFFFu);
    Pixels source(3, 1, 0x0000FFu);
    source.view.row(0)[0] = 0xFF00FF00u;  // the green key, with GDI's fourth byte set
    source.view.row(0)[1] = 0x0100FF00u;
    source.view.row(0)[2] = 0x0001FF00u;  // one step off the key: copied
    keslCopyPixels(target.view, 0, 0, source.view, 3, 1, 0x00FF00FFu);
    EXPECT_EQ(target.at(0, 0), 0xFFFFFFu);
    EXPECT_EQ(target.at(1, 0), 0xFFFFFFu);
    EXPECT_EQ(target.at(2, 0), 0x0001FF00u);
}

TEST(PixelCopy, AKeyedCopyKeepsTheTargetUnderEveryKeyPixelOfRowsOfAnyWidth) {
    constexpr keslPixel kKey = 0x00FF00u;
    constexpr keslPixel kUnder = 0x111111u;
    // Widths below, at and past a chunk of four, ending inside one or on its edge.
    for (int width : {1, 3, 4, 7, 8, 11}) {
        Pixels target(width, 2, kUnder);
        Pixels source(width, 2, 0);
        for (int x = 0; x < width; ++x) {
            source.view.row(0)[x] = (x % 3 == 1) ? kKey : 0x200000u + static_cast<keslPixel>(x);
            source.view.row(1)[x] = (x % 2 == 0) ? kKey : 0x300000u + static_cast<keslPixel>(x);
        }
        keslCopyPixels(target.view, 0, 0, source.view, width, 2, 0x00FF00FFu);
        for (int y = 0; y < 2; ++y) {
            for (int x = 0; x < width; ++x) {
                const keslPixel from = source.at(x, y);
                EXPECT_EQ(target.at(x, y), from == kKey ? kUnder : from)
                    << "width " << width << " at " << x << ", " << y;
            }
        }
    }
}

TEST(PixelCopy, CopiesAreClippedToBothSurfacesOnEverySide) {
    struct Case {
        int x, y, width, height;
        int painted;
    };
    // A 3 x 3 source onto a 4 x 4 target.
    const Case cases[] = {
        {-2, -2, 3, 3, 1},  // only the source's bottom-right corner lands, at (0, 0)
        {3, 3, 3, 3, 1},    // only its top-left corner lands, at (3, 3)
        {0, 0, 9, 9, 9},    // asking for more than the source has copies the source
        {4, 0, 3, 3, 0},    // wholly right of the target
        {0, -3, 3, 3, 0},   // wholly above it
        {1, 1, 0, 3, 0},    // nothing asked for
    };
    for (const Case& c : cases) {
        Pixels target(4, 4, 0);
        Pixels source(3, 3, 0x123456u);
        keslCopyPixels(target.view, c.x, c.y, source.view, c.width, c.height, std::nullopt);
        int painted = 0;
        for (const keslPixel p : target.memory) painted += p == 0x123456u;
        EXPECT_EQ(painted, c.painted) << "at (" << c.x << ", " << c.y << ")";
    }
}

}  // namespace

namespace {

// Stars are drawn this way: each channel the brighter of star and sky.
// The tiled copy must give exactly what copying the tile once per repetition,
// clipped to the area, gives: every pixel of the tile distinct, so a seam
// read from the wrong column or row shows.
TEST(PixelCopy, ATiledCopyMatchesCopyingTheTileOncePerRepetition) {
    constexpr keslPixel kUnder = 0x00ABCDEFu;
    const struct {
        int tileWidth;
        int tileHeight;
    } tiles[] = {{37, 11}, {100, 7}};
    const keslRect<int> areas[] = {
        {2, 3, 5, 4},        // inside one tile
        {4, 30, 15, 3},      // across a vertical seam, odd width
        {8, 10, 6, 9},       // across a horizontal seam
        {5, 20, 140, 20},    // rows of over 64 pixels across several seams
        {40, 200, 90, 30},   // past the target's right and bottom edges, tiles cut there
        {-6, -9, 20, 12},    // starting left of and above the target
        {0, 0, 230, 50},     // the whole target
        {60, 250, 10, 10},   // outside the target
        {3, 3, 0, 5},        // empty
    };
    for (const auto& t : tiles) {
        Pixels tile(t.tileWidth, t.tileHeight, 0);
        for (int y = 0; y < t.tileHeight; ++y) {
            for (int x = 0; x < t.tileWidth; ++x) tile.view.row(y)[x] = 0x01000000u | static_cast<keslPixel>(x << 8 | y);
        }
        for (const keslRect<int>& area : areas) {
            Pixels expected(230, 50, kUnder);
            for (int y = 0; y < 50; y += t.tileHeight) {
                for (int x = 0; x < 230; x += t.tileWidth) {
                    keslCopyPixels(expected.view, x, y, tile.view, t.tileWidth, t.tileHeight, std::nullopt, &area);
                }
            }
            Pixels target(230, 50, kUnder);
            keslCopyTiled(target.view, area, tile.view);
            EXPECT_EQ(target.memory, expected.memory)
                << "tile " << t.tileWidth << "x" << t.tileHeight << ", area " << area.toString();
        }
    }
}

TEST(PixelLighten, EachChannelTakesTheBrighterOfSourceAndTarget) {
    const struct {
        keslPixel under, drawn, result;
    } cases[] = {
        {0x000014u, 0x111117u, 0x111117u},  // a dim star over the black sky: byte for byte the star
        {0x000014u, 0x08080Bu, 0x080814u},  // dimmer than the sky's blue: the blue stays the sky's
        {0x787890u, 0x474763u, 0x787890u},  // a dim star over a bright background leaves it as it was
        {0x787890u, 0xFF0010u, 0xFF7890u},  // channel by channel
        {0xFF123456u, 0x000000u, 0xFF123456u},  // black changes nothing, not even GDI's fourth byte
    };
    // Widths below, at and past a chunk of four, ending inside one or on its edge.
    for (int width : {1, 3, 4, 5, 8, 9}) {
        for (const auto& c : cases) {
            Pixels target(width, 2, c.under);
            Pixels source(width, 2, c.drawn);
            keslLightenPixels(target.view, 0, 0, source.view, width, 2);
            for (int x = 0; x < width; ++x)
                EXPECT_EQ(target.at(x, 1), c.result) << std::hex << c.under << " " << c.drawn << " width " << width;
        }
    }
    Pixels target(4, 4, 0x000014u);
    Pixels source(3, 3, 0xFFFFFFu);
    const keslRect<int> clip(1, 1, 2, 2);
    keslLightenPixels(target.view, 0, 0, source.view, 3, 3, &clip);
    EXPECT_EQ(target.at(0, 0), 0x000014u);
    EXPECT_EQ(target.at(1, 1), 0xFFFFFFu);
    EXPECT_EQ(target.at(2, 2), 0xFFFFFFu);
    EXPECT_EQ(target.at(3, 3), 0x000014u);
}

}  // namespace
