#include "platform/color.h"

std::uint8_t scaleChannel(std::uint8_t value, float factor) {
    const float product = static_cast<float>(value) * factor;
    if (!(product > 0.0f)) {
        return 0;
    }
    if (product > 255.0f) {
        return 255;
    }
    return static_cast<std::uint8_t>(product);
}

keslColor scaleColor(keslColor color, float factor) {
    return makeColor(scaleChannel(colorRed(color), factor), scaleChannel(colorGreen(color), factor),
                     scaleChannel(colorBlue(color), factor), colorAlpha(color));
}
