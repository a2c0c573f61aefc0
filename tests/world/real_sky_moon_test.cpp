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

sMoonOnView moonAt(float x, float y, float limb, bool onView = true) {
    sMoonOnView moon;
    moon.onView = onView;
    moon.x = x;
    moon.y = y;
    moon.brightLimbDeg = limb;
    return moon;
}

// Between two places on the view the moon moves straight and its limb turns
// the short way round, across 360 too; rising or setting within the minute it
// stands as at the nearer end.
TEST(MoonPath, TheMoonBetweenTwoEndsMovesStraightAndTurnsItsLimbTheShortWay) {
    const struct {
        const char* what;
        sMoonPath path;
        float along;
        bool onView;
        float x, y, limb;
    } cases[] = {
        {"at the start", {moonAt(100, 200, 80), moonAt(110, 190, 84)}, 0.0f, true, 100, 200, 80},
        {"half way", {moonAt(100, 200, 80), moonAt(110, 190, 84)}, 0.5f, true, 105, 195, 82},
        {"at the end", {moonAt(100, 200, 80), moonAt(110, 190, 84)}, 1.0f, true, 110, 190, 84},
        {"across 360, upward", {moonAt(0, 0, 350), moonAt(0, 0, 10)}, 0.25f, true, 0, 0, 355},
        {"across 360, upward, past it", {moonAt(0, 0, 350), moonAt(0, 0, 10)}, 0.75f, true, 0, 0, 5},
        {"across 360, downward", {moonAt(0, 0, 4), moonAt(0, 0, 356)}, 0.75f, true, 0, 0, 358},
        {"rising: early in the minute, below as at the start", {moonAt(5, 6, 7, false), moonAt(300, 350, 90)}, 0.3f, false, 5, 6, 7},
        {"rising: late in the minute, up as at the end", {moonAt(5, 6, 7, false), moonAt(300, 350, 90)}, 0.7f, true, 300, 350, 90},
        {"setting: late in the minute, gone", {moonAt(300, 350, 90), moonAt(5, 6, 7, false)}, 0.6f, false, 5, 6, 7},
    };
    for (const auto& c : cases) {
        const sMoonOnView moon = placeMoon(c.path, c.along);
        EXPECT_EQ(moon.onView, c.onView) << c.what;
        EXPECT_NEAR(moon.x, c.x, 1e-3f) << c.what;
        EXPECT_NEAR(moon.y, c.y, 1e-3f) << c.what;
        EXPECT_NEAR(moon.brightLimbDeg, c.limb, 1e-3f) << c.what;
        EXPECT_GE(moon.brightLimbDeg, 0.0f) << c.what;
        EXPECT_LT(moon.brightLimbDeg, 360.0f) << c.what;
    }
}

}  // namespace
