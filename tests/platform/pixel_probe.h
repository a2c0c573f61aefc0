// Reading back what a contract test drew: where the ink is, which colours appear.
#pragma once

#include "platform/color.h"
#include "platform/image.h"
#include "platform/window.h"

#include <functional>
#include <set>

struct InkBox {
    int left = 0;
    int top = 0;
    int right = -1;  // last inked column
    int bottom = -1;
    bool empty() const { return right < left; }
};

// The box around every pixel that differs from background, within (0, 0, width, height).
InkBox findInk(const std::function<keslColor(int, int)>& pixelAt, int width, int height, keslColor background);
InkBox findInk(keslWindow& window, keslColor background);
InkBox findInk(keslImage& image, keslColor background);

std::set<keslColor> coloursIn(keslWindow& window);
