// Windows bitmap files made byte by byte, so the tests know every pixel.
#pragma once

#include "platform/color.h"

#include <string>
#include <vector>

struct BitmapPicture {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    bool topDown = false;
    std::vector<keslColor> pixels;  // row by row from the top
};

std::string makeBitmapFile(const BitmapPicture& picture);
