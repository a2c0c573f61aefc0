#include "platform/bitmap_reader.h"

#include "util/file_system.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCompressionRgb = 0;
constexpr std::uint32_t kCompressionBitfields = 3;
constexpr std::uint32_t kCompressionAlphaBitfields = 6;

std::uint32_t readU32(const unsigned char* p) {
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}
std::uint16_t readU16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::int32_t readI32(const unsigned char* p) { return static_cast<std::int32_t>(readU32(p)); }

// One channel of a 32-bit bitfields pixel, scaled to 8 bits.
struct ChannelMask {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit ChannelMask(std::uint32_t m) : mask(m) {
        if (m == 0) {
            return;
        }
        while (((m >> shift) & 1u) == 0) {
            ++shift;
        }
        while (shift + bits < 32 && ((m >> (shift + bits)) & 1u) != 0) {
            ++bits;
        }
    }
    std::uint32_t extract(std::uint32_t pixel) const {
        if (bits == 0) {
            return 0;
        }
        // Only the lowest run of the mask counts; stray higher bits are ignored.
        const std::uint32_t run = static_cast<std::uint32_t>((std::uint64_t{1} << bits) - 1);
        const std::uint32_t value = (pixel >> shift) & run;
        if (bits >= 8) {
            return value >> (bits - 8);
        }
        return (value * 255u) / ((1u << bits) - 1u);
    }
};

struct Layout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitsPerPixel = 0;
    std::uint32_t redMask = 0x00FF0000u;
    std::uint32_t greenMask = 0x0000FF00u;
    std::uint32_t blueMask = 0x000000FFu;
    size_t pixelOffset = 0;
    size_t stride = 0;
};

bool readLayout(const unsigned char* data, size_t size, Layout& layout, std::string& whyNot) {
    if (size < kFileHeaderSize + 12 || data[0] != 'B' || data[1] != 'M') {
        whyNot = "not a bitmap file (no BM header)";
        return false;
    }
    layout.pixelOffset = readU32(data + 10);
    const std::uint32_t headerSize = readU32(data + kFileHeaderSize);
    if (headerSize < 12 || headerSize > size - kFileHeaderSize) {
        whyNot = "bitmap header size out of range";
        return false;
    }
    const unsigned char* info = data + kFileHeaderSize;
    std::uint32_t compression = kCompressionRgb;
    long long height = 0;
    if (headerSize == 12) {
        layout.width = readU16(info + 4);
        height = readU16(info + 6);
        layout.bitsPerPixel = readU16(info + 10);
    } else {
        if (headerSize < 40) {
            whyNot = "unknown bitmap header";
            return false;
        }
        layout.width = readI32(info + 4);
        height = readI32(info + 8);
        layout.bitsPerPixel = readU16(info + 14);
        compression = readU32(info + 16);
    }
    if (layout.bitsPerPixel != 24 && layout.bitsPerPixel != 32) {
        whyNot = "only 24- and 32-bit bitmaps are read, this one has " + std::to_string(layout.bitsPerPixel) + " bits";
        return false;
    }
    const bool bitfields = compression == kCompressionBitfields || compression == kCompressionAlphaBitfields;
    if (compression != kCompressionRgb && !(bitfields && layout.bitsPerPixel == 32)) {
        whyNot = "unsupported bitmap compression " + std::to_string(compression);
        return false;
    }
    if (bitfields) {
        // The masks follow a 40-byte header and sit inside the larger ones.
        const size_t masksAt = kFileHeaderSize + 40;
        if (size < masksAt + 12) {
            whyNot = "bitmap colour masks past the end";
            return false;
        }
        layout.redMask = readU32(data + masksAt);
        layout.greenMask = readU32(data + masksAt + 4);
        layout.blueMask = readU32(data + masksAt + 8);
    }
    layout.topDown = height < 0;
    height = std::llabs(height);
    if (layout.width <= 0 || height <= 0 || layout.width > kMaxBitmapSide || height > kMaxBitmapSide ||
        static_cast<long long>(layout.width) * height > kMaxBitmapPixels) {
        whyNot = "absurd bitmap size " + std::to_string(layout.width) + " x " + std::to_string(height);
        return false;
    }
    layout.height = static_cast<int>(height);
    layout.stride = ((static_cast<size_t>(layout.width) * static_cast<size_t>(layout.bitsPerPixel) + 31) / 32) * 4;
    const size_t needed = layout.stride * static_cast<size_t>(layout.height);
    if (layout.pixelOffset < kFileHeaderSize + headerSize || layout.pixelOffset > size ||
        needed > size - layout.pixelOffset) {
        whyNot = "bitmap pixels past the end of the data";
        return false;
    }
    return true;
}

}  // namespace

bool keslReadBitmap(const unsigned char* data, size_t size, keslBitmapPixels& out, std::string& whyNot) {
    Layout layout;
    if (data == nullptr || !readLayout(data, size, layout, whyNot)) {
        if (data == nullptr) {
            whyNot = "no data";
        }
        return false;
    }
    keslBitmapPixels bitmap;
    bitmap.width = layout.width;
    bitmap.height = layout.height;
    bitmap.pixels.resize(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height));
    const ChannelMask red(layout.redMask);
    const ChannelMask green(layout.greenMask);
    const ChannelMask blue(layout.blueMask);
    const bool plain32 = layout.redMask == 0x00FF0000u && layout.greenMask == 0x0000FF00u && layout.blueMask == 0xFFu;
    for (int y = 0; y < layout.height; ++y) {
        const int sourceRow = layout.topDown ? y : layout.height - 1 - y;
        const unsigned char* src = data + layout.pixelOffset + layout.stride * static_cast<size_t>(sourceRow);
        std::uint32_t* dst = bitmap.pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(layout.width);
        for (int x = 0; x < layout.width; ++x) {
            if (layout.bitsPerPixel == 24) {
                const unsigned char* p = src + static_cast<size_t>(x) * 3;
                dst[x] = std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
                continue;
            }
            const std::uint32_t value = readU32(src + static_cast<size_t>(x) * 4);
            dst[x] = plain32 ? (value & 0x00FFFFFFu)
                             : ((red.extract(value) << 16) | (green.extract(value) << 8) | blue.extract(value));
        }
    }
    out = std::move(bitmap);
    return true;
}

bool keslReadBitmapFile(const std::string& fileName, keslBitmapPixels& out, std::string& whyNot) {
    std::string contents;
    if (!keslFileSystemMini::readWholeFile(fileName, contents)) {
        whyNot = "cannot read the file";
        return false;
    }
    return keslReadBitmap(reinterpret_cast<const unsigned char*>(contents.data()), contents.size(), out, whyNot);
}
