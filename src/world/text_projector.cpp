#include "world/text_projector.h"

#include "platform/image.h"
#include "sprites/random.h"
#include "util/log.h"

#include <algorithm>
#include <limits>

namespace {

constexpr keslColor kInk = 0xFFFFFFFFu;
constexpr keslColor kPaper = 0x000000FFu;

// A zero extent divides to infinity, so the other side alone decides the scale.
float ratio(int length, int extent) {
    if (extent == 0) return std::numeric_limits<float>::infinity();
    return static_cast<float>(length) / static_cast<float>(extent);
}

bool isLit(keslColor color) {
    const int red = static_cast<int>((color >> 24) & 0xFF);
    const int green = static_cast<int>((color >> 16) & 0xFF);
    const int blue = static_cast<int>((color >> 8) & 0xFF);
    return (red + green + blue) / 3 > cTextProjector::kLitThreshold;
}

keslTextParams projectionTextParams() {
    keslTextParams params;
    params.color = kInk;
    params.fontName = std::string(cTextProjector::kFontName);
    params.fontSize = cTextProjector::kFontPoints;
    params.alignment = kTextAlignCentre;
    params.characterExtra = cTextProjector::kCharacterExtraPixels;
    params.nonAntialiased = 1;
    params.thin = 1;
    return params;
}

// A random start between low and high, drawn with one rand().
int randomBetween(int low, int high) { return low + static_cast<int>(keslRandomUnit() * static_cast<float>(high - low)); }

}  // namespace

void cTextProjector::project(const keslRect<int>& bounds, const std::string& text, cTargetPoints& out) {
    logInfo("project(%s)", text.c_str());
    keslImage image;
    out.clear();
    if (!image.initWithSizeAndColor(kImageWidth, kImageHeight, kPaper)) {
        logError("#2840: project() could not create its %ix%i image", kImageWidth, kImageHeight);
        return;
    }
    image.drawText(kImageWidth / 2, 0, text.c_str(), projectionTextParams());
    collectLitPixels(image, out);
    placePoints(bounds, out);
}

void cTextProjector::collectLitPixels(keslImage& image, cTargetPoints& out) {
    out.clear();
    int minX = kImageWidth;
    int minY = kImageHeight;
    int maxX = 0;
    int maxY = 0;
    const int height = std::min(image.getHeight(), kImageHeight);
    const int width = std::min(image.getWidth(), kImageWidth);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!isLit(image.getPixel(x, y))) continue;
            out.push_back({x, y});
            minX = std::min(minX, x);
            minY = std::min(minY, y);
            maxX = std::max(maxX, x);
            maxY = std::max(maxY, y);
        }
    }
    m_box = keslRect<int>(minY, minX, maxX - minX, maxY - minY);
}

float cTextProjector::scaleFor(const keslRect<int>& bounds, const keslRect<int>& box) {
    const float fit = kFillShare * std::min(ratio(bounds.width, box.width), ratio(bounds.height, box.height));
    return std::min(fit, kMaxScale);
}

float cTextProjector::placePoints(const keslRect<int>& bounds, cTargetPoints& points) {
    // Nothing lit leaves the box inverted: there is nothing to place.
    if (points.empty()) return 0.0f;
    const float scale = scaleFor(bounds, m_box);
    if (!(scale > 0.0f)) {
        logError("#2841: keslVector Div by zero.");
        return 0.0f;
    }
    const int placedWidth = static_cast<int>(static_cast<float>(m_box.width) * scale);
    const int placedHeight = static_cast<int>(static_cast<float>(m_box.height) * scale);

    const int minLeft = bounds.left + static_cast<int>(static_cast<float>(bounds.width) * kMinLeftShare);
    const int maxLeft = bounds.left - placedWidth + static_cast<int>(static_cast<float>(bounds.width) * kMaxRightShare);
    const int left = randomBetween(minLeft, maxLeft);
    const int minTop = bounds.top + static_cast<int>(static_cast<float>(bounds.height) * kMinTopShare);
    const int maxTop = bounds.top - placedHeight + static_cast<int>(static_cast<float>(bounds.height) * kMaxBottomShare);
    const int top = randomBetween(minTop, maxTop);

    // The offset is kept in unscaled pixels so that one multiplication places every point.
    const int offsetX = static_cast<int>(static_cast<float>(left) / scale) - m_box.left;
    const int offsetY = static_cast<int>(static_cast<float>(top) / scale) - m_box.top;
    logInfo("will scale x%.1f, offsetX=%i, offsetY=%i", scale, offsetX, offsetY);
    for (keslPoint<int>& point : points) {
        point.x = static_cast<int>(static_cast<float>(point.x + offsetX) * scale);
        point.y = static_cast<int>(static_cast<float>(point.y + offsetY) * scale);
    }
    return scale;
}
