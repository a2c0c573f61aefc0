// The lit moon picture turned so its bright side faces where the sky says.
#include "platform/image.h"
#include "world/real_sky_moon.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr int kSize = 41;
constexpr keslColor kLit = 0xF0F0F0FFu;
constexpr keslColor kNight = 0x101030FFu;
constexpr keslColor kKey = 0x00FF00FFu;

// A disc lit on one half, the key colour round it, as the lit moon bitmap is.
void paintHalfLitDisc(keslImage& image, bool litOnRight) {
    ASSERT_TRUE(image.initWithSizeAndColor(kSize, kSize, kKey));
    const float c = 0.5f * (kSize - 1);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            if ((x - c) * (x - c) + (y - c) * (y - c) > c * c) continue;
            image.setPixel(x, y, (x > c) == litOnRight ? kLit : kNight);
        }
}

// The direction of the lit pixels' middle from the centre, counterclockwise from up.
double litDirectionDeg(keslImage& image) {
    const double c = 0.5 * (kSize - 1);
    double sx = 0.0, sy = 0.0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            if (image.getPixel(x, y) == kLit) {
                sx += x - c;
                sy += y - c;
            }
    const double deg = std::atan2(-sx, -sy) * 180.0 / 3.14159265358979;
    return deg < 0.0 ? deg + 360.0 : deg;
}

TEST(MoonTurner, TurnsTheLitSideToFaceTheBrightLimbForAWaxingOrWaningPicture) {
    const struct {
        bool litOnRight;
        float brightLimbDeg;
    } cases[] = {{true, 0.0f}, {true, 90.0f}, {true, 180.0f}, {true, 270.0f}, {true, 45.0f},
                 {false, 0.0f}, {false, 90.0f}, {false, 200.0f}, {false, 315.0f}};
    for (const auto& c : cases) {
        keslImage image;
        paintHalfLitDisc(image, c.litOnRight);
        cMoonTurner turner;
        turner.keep(image, c.litOnRight);
        ASSERT_TRUE(turner.turn(image, c.brightLimbDeg));
        const double off = std::fabs(std::remainder(litDirectionDeg(image) - c.brightLimbDeg, 360.0));
        EXPECT_LT(off, 3.0) << "lit on the right " << c.litOnRight << ", limb " << c.brightLimbDeg;
        EXPECT_EQ(image.getPixel(0, 0), kKey) << "the corners stay the key colour";
    }
}

TEST(MoonTurner, TurnsAgainOnlyOnceTheLimbHasMovedTwoDegrees) {
    keslImage image;
    paintHalfLitDisc(image, true);
    cMoonTurner turner;
    turner.keep(image, true);
    ASSERT_TRUE(turner.turn(image, 100.0f));
    EXPECT_FALSE(turner.turn(image, 101.5f));
    EXPECT_FALSE(turner.turn(image, 98.5f));
    EXPECT_TRUE(turner.turn(image, 102.5f));
    EXPECT_FALSE(turner.turn(image, 359.0f + 104.0f));  // the same direction a turn later
}

}  // namespace
