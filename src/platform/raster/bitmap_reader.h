// Reads Windows bitmap files (24- and 32-bit, bottom-up or top-down) into a
// pixel surface. Its input comes from disk and from the build's resource
// table, so every size and offset is checked before a byte is read.
#pragma once

#include "platform/raster/pixel_surface.h"

#include <cstddef>
#include <string>

// Nothing larger is a picture this system would draw; it guards the allocation.
constexpr long long kMaxBitmapPixels = 64LL * 1024 * 1024;
constexpr int kMaxBitmapSide = 32768;

// False, with the reason in whyNot, for anything that is not a well-formed bitmap.
bool keslReadBitmap(const unsigned char* data, size_t size, keslPixelSurface& out, std::string& whyNot);
