// Feeds arbitrary bytes to the bitmap reader that loads .bmp files and the
// build's bitmap resources: it must refuse what is malformed without reading
// outside its buffer, and what it accepts must be a whole picture.
#include "platform/bitmap_reader.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    keslBitmapPixels pixels;
    std::string whyNot;
    if (!keslReadBitmap(data, size, pixels, whyNot)) {
        if (whyNot.empty()) __builtin_trap();
        return 0;
    }
    if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > kMaxBitmapSide || pixels.height > kMaxBitmapSide) {
        __builtin_trap();
    }
    if (pixels.pixels.size() != static_cast<size_t>(pixels.width) * static_cast<size_t>(pixels.height)) {
        __builtin_trap();
    }
    for (const std::uint32_t p : pixels.pixels) {
        if (p > 0x00FFFFFFu) __builtin_trap();
    }
    return 0;
}
