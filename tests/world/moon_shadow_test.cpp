// The earth's shadow on the moon's picture: untouched outside the penumbra,
// greyed in it by the sun's disc it still sees, dark copper in the umbra and
// darkest at its centre; the shadow lies opposite the bright limb.
#include "world/moon_shadow.h"

#include <gtest/gtest.h>

namespace {

constexpr keslColor kGrey = 0xC8C8C8FFu;  // a lit pixel of the moon's picture

int channel(keslColor c, int shift) { return static_cast<int>((c >> shift) & 0xFFu); }

TEST(MoonShadow, LiesOppositeTheBrightLimb) {
    sMoonOnView moon;
    moon.eclipse.state = eEclipseState::partial;
    moon.eclipse.shadowDistance = 2.0;
    const struct {
        float brightLimbDeg;  // counterclockwise from up
        float x, y;           // the shadow's centre, y down
    } cases[] = {
        {0.0f, 0.0f, 2.0f},    // lit on top: the shadow below
        {90.0f, 2.0f, 0.0f},   // lit on the left: the shadow on the right
        {270.0f, -2.0f, 0.0f},
    };
    for (const auto& c : cases) {
        moon.brightLimbDeg = c.brightLimbDeg;
        const sMoonShadow shadow = moonShadowOf(moon);
        EXPECT_TRUE(shadow.on);
        EXPECT_NEAR(shadow.x, c.x, 1e-4f) << c.brightLimbDeg;
        EXPECT_NEAR(shadow.y, c.y, 1e-4f) << c.brightLimbDeg;
    }
    moon.eclipse.state = eEclipseState::none;
    EXPECT_FALSE(moonShadowOf(moon).on);
}

TEST(MoonShadow, GreysInThePenumbraAndTurnsDarkCopperInTheUmbra) {
    sMoonShadow shadow;
    shadow.on = true;
    shadow.eclipse.umbraRadius = 2.6;
    shadow.eclipse.penumbraRadius = 4.6;
    const struct {
        const char* what;
        float x;  // the pixel's place; the shadow's centre at 0
        int redLeast, redMost;
        bool copper;  // red well above blue
    } cases[] = {
        {"outside", 4.8f, 200, 200, false},
        {"halfway across the penumbra", 3.6f, 140, 150, false},  // half the light, through the gamma
        {"at the umbra's edge", 2.55f, 88, 95, true},
        {"at the centre", 0.0f, 38, 45, true},
    };
    for (const auto& c : cases) {
        const keslColor seen = shadowed(kGrey, shadow, c.x, 0.0f);
        EXPECT_GE(channel(seen, 24), c.redLeast) << c.what;
        EXPECT_LE(channel(seen, 24), c.redMost) << c.what;
        if (c.copper) {
            EXPECT_GT(channel(seen, 24), 2 * channel(seen, 16)) << c.what;
            EXPECT_GT(channel(seen, 16), channel(seen, 8)) << c.what;
        } else {
            EXPECT_EQ(channel(seen, 24), channel(seen, 8)) << c.what << ": the penumbra only greys";
        }
        EXPECT_EQ(seen & 0xFFu, 0xFFu) << c.what;
    }
}

}  // namespace
