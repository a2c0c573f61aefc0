#include "platform/bitmap_reader.h"

#include "platform/bitmap_files.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

void put32(std::string& s, size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        s[at + static_cast<size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
}

// A 32-bit file with colour masks after its 40-byte header.
std::string withMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue, std::uint32_t pixel) {
    std::string file = makeBitmapFile(BitmapPicture{1, 1, 32, false, {0x000000FFu}});
    put32(file, 30, 3);  // BI_BITFIELDS
    std::string masks(12, '\0');
    put32(masks, 0, red);
    put32(masks, 4, green);
    put32(masks, 8, blue);
    file.insert(54, masks);
    put32(file, 10, 66);
    put32(file, 66, pixel);
    return file;
}

bool read(const std::string& file, keslBitmapPixels& out) {
    std::string whyNot;
    const bool ok = keslReadBitmap(reinterpret_cast<const unsigned char*>(file.data()), file.size(), out, whyNot);
    EXPECT_EQ(ok, whyNot.empty()) << whyNot;
    return ok;
}

TEST(BitmapReader, ColourMasksPickTheirChannels) {
    keslBitmapPixels out;
    ASSERT_TRUE(read(withMasks(0x000000FFu, 0x0000FF00u, 0x00FF0000u, 0x00332211u), out));
    EXPECT_EQ(out.pixels[0], 0x00112233u);
}

TEST(BitmapReader, NarrowMasksAreStretchedToEightBits) {
    keslBitmapPixels out;
    // 5-6-5 in the low half: full red, no green, full blue.
    ASSERT_TRUE(read(withMasks(0xF800u, 0x07E0u, 0x001Fu, 0xF81Fu), out));
    EXPECT_EQ(out.pixels[0], 0x00FF00FFu);
}

TEST(BitmapReader, StrayMaskBitsDoNotBleedIntoOtherChannels) {
    keslBitmapPixels out;
    ASSERT_TRUE(read(withMasks(0x80FF0000u, 0x0000FF00u, 0x000000FFu, 0x80FFFFFFu), out));
    EXPECT_EQ(out.pixels[0], 0x00FFFFFFu);
}

TEST(BitmapReader, RefusesOtherDepthsAndCompressions) {
    std::string eightBit = makeBitmapFile(BitmapPicture{1, 1, 24, false, {0x000000FFu}});
    eightBit[28] = 8;
    std::string compressed = makeBitmapFile(BitmapPicture{1, 1, 24, false, {0x000000FFu}});
    compressed[30] = 1;  // run-length
    keslBitmapPixels out;
    std::string whyNot;
    EXPECT_FALSE(keslReadBitmap(reinterpret_cast<const unsigned char*>(eightBit.data()), eightBit.size(), out, whyNot));
    EXPECT_FALSE(
        keslReadBitmap(reinterpret_cast<const unsigned char*>(compressed.data()), compressed.size(), out, whyNot));
    EXPECT_FALSE(keslReadBitmap(nullptr, 0, out, whyNot));
    EXPECT_EQ(out.width, 0);
}

}  // namespace
