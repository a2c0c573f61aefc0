// Reads Windows bitmap files (24- and 32-bit, bottom-up or top-down). Its
// input comes from disk and from the build's resource table, so every size
// and offset is checked before a byte is read; both backends load files
// through it, so a malformed file fails the same way everywhere.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Nothing larger is a picture this system would draw; it guards the allocation.
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;
constexpr int kMaxBitmapSide = 32768;

// Pixels 0x00RRGGBB, rows from the top.
struct keslBitmapPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// False, with the reason in whyNot, for anything that is not a well-formed bitmap.
bool keslReadBitmap(const unsigned char* data, size_t size, keslBitmapPixels& out, std::string& whyNot);
// The same for a file; false also when it cannot be read.
bool keslReadBitmapFile(const std::string& fileName, keslBitmapPixels& out, std::string& whyNot);
