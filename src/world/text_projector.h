// Turns a message into target points for the message stars: the text is
// rendered small, every lit pixel becomes a point in reading order, and the
// points are scaled into a dot grid placed at a random spot of the main
// monitor. Rendering happens once per message, never per frame.
#pragma once

#include "system/point.h"
#include "system/rect.h"

#include <string>
#include <vector>

class keslImage;

using cTargetPoints = std::vector<keslPoint<int>>;

class cTextProjector {
public:
    static constexpr int kImageWidth = 300;
    static constexpr int kImageHeight = 150;
    static constexpr const char* kFontName = "Courier New";
    static constexpr float kFontPoints = 12.0f;
    static constexpr float kCharacterExtraPixels = 2.0f;
    // A pixel is lit when the mean of its channels exceeds this.
    static constexpr int kLitThreshold = 150;
    // The text may fill this share of the monitor's width or height.
    static constexpr float kFillShare = 0.6f;
    static constexpr float kMaxScale = 12.0f;
    // Where the text's top-left may land, as shares of the monitor.
    static constexpr float kMinLeftShare = 0.05f;
    static constexpr float kMaxRightShare = 0.95f;
    static constexpr float kMinTopShare = 0.3f;
    static constexpr float kMaxBottomShare = 0.95f;

    // Renders, collects and places; out holds the placed points.
    void project(const keslRect<int>& bounds, const std::string& text, cTargetPoints& out);

    // Replaces out with the lit pixels of a rendering, in reading order, and
    // the box with theirs: left and top are the first lit column and row,
    // width and height the distance to the last (0 for a single pixel;
    // negative, from 300/150 back to 0/0, when nothing is lit).
    void collectLitPixels(keslImage& image, cTargetPoints& out);
    // Scales the points and moves them to a random spot of bounds; returns the scale.
    float placePoints(const keslRect<int>& bounds, cTargetPoints& points);

    static float scaleFor(const keslRect<int>& bounds, const keslRect<int>& box);

    const keslRect<int>& box() const { return m_box; }

private:
    keslRect<int> m_box;
};
