#include "platform/pixel_probe.h"

#include <algorithm>

InkBox findInk(const std::function<keslColor(int, int)>& pixelAt, int width, int height, keslColor background) {
    InkBox box{width, height, -1, -1};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (pixelAt(x, y) != background) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x);
                box.bottom = std::max(box.bottom, y);
            }
        }
    }
    return box;
}

InkBox findInk(keslWindow& window, keslColor background) {
    return findInk([&](int x, int y) { return window.getPixel(x, y); }, window.getClientWidth(),
                   window.getClientHeight(), background);
}

InkBox findInk(keslImage& image, keslColor background) {
    return findInk([&](int x, int y) { return image.getPixel(x, y); }, image.getWidth(), image.getHeight(),
                   background);
}

std::set<keslColor> coloursIn(keslWindow& window) {
    std::set<keslColor> colours;
    for (int y = 0; y < window.getClientHeight(); ++y) {
        for (int x = 0; x < window.getClientWidth(); ++x) {
            colours.insert(window.getPixel(x, y));
        }
    }
    return colours;
}
