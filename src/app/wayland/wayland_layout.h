// Where each output's part of the one sky lies. The sky is drawn in device
// pixels; an output shows logical width x height at its buffer scale. When
// every output scaled the same way the desktop's own arrangement is kept, so
// the sky runs on across neighbouring screens. Mixed scales would leave gaps
// or overlaps (and mirrored outputs overlap anyway): then the outputs stand
// side by side in a row, left to right as on the desktop. Plain arithmetic,
// no Wayland.
#pragma once

#include "system/point.h"
#include "system/rect.h"

#include <vector>

struct keslOutputPlacement {
    // Position and size on the desktop, in logical pixels.
    keslRect<int> logical;
    // Device pixels per logical pixel (the output's buffer scale), from 1.
    int scale = 1;
};

// One region per output, in the same order, in device pixels of a sky whose
// top-left corner is (0, 0).
std::vector<keslRect<int>> skyRegionsFor(const std::vector<keslOutputPlacement>& outputs);

// The sky's size: the regions' bounding box from (0, 0).
keslRect<int> skyBoundsOf(const std::vector<keslRect<int>>& regions);

// Where an output lies on the desktop when the compositor offers no
// xdg-output: at its position, its current mode turned as the output is (an
// odd wl_output transform is a quarter turn, so a portrait screen's landscape
// mode stands upright) and divided by its scale.
keslRect<int> desktopRectFromMode(keslPoint<int> position, keslPoint<int> modeSize, int scale, int transform);
