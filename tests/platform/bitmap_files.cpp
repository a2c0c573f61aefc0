#include "platform/bitmap_files.h"

#include <cstdint>

namespace {

void put16(std::string& out, std::uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void put32(std::string& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
}

}  // namespace

std::string makeBitmapFile(const BitmapPicture& picture) {
    const int bytesPerPixel = picture.bitsPerPixel / 8;
    const int stride = ((picture.width * picture.bitsPerPixel + 31) / 32) * 4;
    std::string pixels;
    for (int row = 0; row < picture.height; ++row) {
        const int y = picture.topDown ? row : picture.height - 1 - row;
        std::string line;
        for (int x = 0; x < picture.width; ++x) {
            const keslColor c = picture.pixels[static_cast<size_t>(y * picture.width + x)];
            line.push_back(static_cast<char>(colorBlue(c)));
            line.push_back(static_cast<char>(colorGreen(c)));
            line.push_back(static_cast<char>(colorRed(c)));
            if (bytesPerPixel == 4) {
                line.push_back(0);
            }
        }
        line.resize(static_cast<size_t>(stride), '\0');
        pixels += line;
    }
    std::string file = "BM";
    put32(file, static_cast<std::uint32_t>(54 + pixels.size()));
    put32(file, 0);
    put32(file, 54);
    put32(file, 40);
    put32(file, static_cast<std::uint32_t>(picture.width));
    put32(file, static_cast<std::uint32_t>(picture.topDown ? -picture.height : picture.height));
    put16(file, 1);
    put16(file, static_cast<std::uint16_t>(picture.bitsPerPixel));
    put32(file, 0);
    put32(file, static_cast<std::uint32_t>(pixels.size()));
    put32(file, 2835);
    put32(file, 2835);
    put32(file, 0);
    put32(file, 0);
    return file + pixels;
}
