// Text attributes. keslTextParams is what the drawing tools accept (every
// field may be absent); spriteTextParams is what a sprite hands its window
// for one piece of text, where an absent value means "whatever the window has
// in force". The two alignment codings differ on purpose: sprites use their
// own numbering, the window maps it.
#pragma once

#include "platform/color.h"

#include <cstdint>
#include <optional>
#include <string>

// 0 centre, 1 right, anything else left.
using keslTextAlign = std::int32_t;
constexpr keslTextAlign kTextAlignCentre = 0;
constexpr keslTextAlign kTextAlignRight = 1;
constexpr keslTextAlign kTextAlignLeft = -1;

constexpr const char* kDefaultFontName = "Arial";
constexpr float kDefaultFontSizePoints = 10.0f;

struct keslTextParams {
    std::optional<keslColor> color;
    std::optional<std::string> fontName;
    std::optional<float> fontSize;
    std::optional<keslTextAlign> alignment;
    std::optional<float> characterExtra;
    std::int32_t nonAntialiased = 0;
    std::int32_t thin = 0;

    std::string fontNameOrDefault() const { return fontName ? *fontName : std::string(kDefaultFontName); }
    // Points, truncated: 12.7 points is a 12-point font.
    int fontPointsOrDefault() const { return static_cast<int>(fontSize ? *fontSize : kDefaultFontSizePoints); }
    // Under one point a font rounds to no pixel height, which GDI and the
    // font engine would read as "the default size": such text is not drawn
    // and measures nothing, so a text fading in from size 0 never flashes large.
    bool hasNoPixelHeight() const { return fontPointsOrDefault() <= 0; }
    bool wantsNonAntialiased() const { return nonAntialiased == 1; }
    bool wantsThin() const { return thin == 1; }
};

// A sprite's own alignment numbering.
constexpr std::int32_t kSpriteAlignRight = 2;
constexpr std::int32_t kSpriteAlignCentre = 3;

struct spriteTextParams {
    std::optional<keslColor> color;
    std::optional<std::string> fontName;
    std::optional<float> fontSize;
    std::optional<std::int32_t> alignment;
};

// The drawing tools' form of a sprite alignment: 2 right, 3 centre, else left.
constexpr keslTextAlign toDrawingAlignment(std::int32_t spriteAlignment) {
    if (spriteAlignment == kSpriteAlignRight) {
        return kTextAlignRight;
    }
    if (spriteAlignment == kSpriteAlignCentre) {
        return kTextAlignCentre;
    }
    return kTextAlignLeft;
}
