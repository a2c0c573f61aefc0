#include "platform/image.h"
#include "support/log_capture.h"
#include "world/text_projector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

const keslRect<int> kFullHd{0, 0, 1920, 1080};

// The box of the points in the projector's form: width and height from the first to the last.
keslRect<int> boxOf(const cTargetPoints& points) {
    int minX = 1 << 30, minY = 1 << 30, maxX = -(1 << 30), maxY = -(1 << 30);
    for (const keslPoint<int>& p : points) {
        minX = std::min(minX, p.x);
        minY = std::min(minY, p.y);
        maxX = std::max(maxX, p.x);
        maxY = std::max(maxY, p.y);
    }
    return keslRect<int>(minY, minX, maxX - minX, maxY - minY);
}

bool inReadingOrder(const cTargetPoints& points) {
    return std::is_sorted(points.begin(), points.end(),
                          [](const keslPoint<int>& a, const keslPoint<int>& b) { return a.y < b.y || (a.y == b.y && a.x < b.x); });
}

// An image with lit pixels exactly where the test puts them.
void litImage(keslImage& image, const cTargetPoints& lit) {
    ASSERT_TRUE(image.initWithSizeAndColor(cTextProjector::kImageWidth, cTextProjector::kImageHeight, 0x000000FFu));
    for (const keslPoint<int>& p : lit) image.setPixel(p.x, p.y, 0xFFFFFFFFu);
}

TEST(MsgProjection, ScaleFillsSixTenthsOfTheTighterSideCappedAtTwelve) {
    EXPECT_FLOAT_EQ(cTextProjector::scaleFor(kFullHd, keslRect<int>(20, 10, 120, 14)), 9.6f);
    EXPECT_FLOAT_EQ(cTextProjector::scaleFor(kFullHd, keslRect<int>(0, 0, 30, 10)), 12.0f);
    EXPECT_FLOAT_EQ(cTextProjector::scaleFor(keslRect<int>{0, 0, 300, 1000}, keslRect<int>(0, 0, 100, 10)), 1.8f);
}

TEST(MsgProjection, AOneRowTextIsScaledByItsWidthAlone) {
    EXPECT_FLOAT_EQ(cTextProjector::scaleFor(kFullHd, keslRect<int>(40, 0, 240, 0)), 4.8f);
    EXPECT_FLOAT_EQ(cTextProjector::scaleFor(kFullHd, keslRect<int>(40, 0, 20, 0)), 12.0f);

    cTextProjector projector;
    keslImage image;
    litImage(image, {{40, 7}, {50, 7}, {280, 7}});
    cTargetPoints points;
    projector.collectLitPixels(image, points);
    const float scale = projector.placePoints(kFullHd, points);

    EXPECT_FLOAT_EQ(scale, 4.8f);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].y, points[2].y);
    EXPECT_NEAR(points[1].x - points[0].x, 48, 1);
    EXPECT_NEAR(points[2].x - points[0].x, 1152, 1);
}

TEST(MsgProjection, LitPixelsComeInReadingOrderWithTheirBox) {
    cTextProjector projector;
    keslImage image;
    litImage(image, {{299, 149}, {5, 3}, {0, 60}, {120, 3}});
    image.setPixel(7, 7, 0x969696FFu);  // a mean of exactly 150 is not lit
    image.setPixel(8, 8, 0x979797FFu);
    cTargetPoints points{{1, 1}};

    projector.collectLitPixels(image, points);

    EXPECT_EQ(points, (cTargetPoints{{5, 3}, {120, 3}, {8, 8}, {0, 60}, {299, 149}}));
    EXPECT_EQ(projector.box().left, 0);
    EXPECT_EQ(projector.box().top, 3);
    EXPECT_EQ(projector.box().getRight(), 299);
    EXPECT_EQ(projector.box().getBottom(), 149);
}

TEST(MsgProjection, PlacedTextStaysInTheMiddleAndLowerPartOfTheMonitor) {
    const keslRect<int> monitor{200, 1920, 1280, 1024};
    cTextProjector projector;
    keslImage image;
    litImage(image, {{100, 20}, {220, 20}, {100, 34}, {160, 27}});
    cTargetPoints rendered;
    projector.collectLitPixels(image, rendered);
    for (int run = 0; run < 500; ++run) {
        cTargetPoints points = rendered;
        const float scale = projector.placePoints(monitor, points);
        const keslRect<int> placed = boxOf(points);
        // Truncating the corner to whole unscaled pixels may pull it back by up to one scale step and a pixel.
        EXPECT_GE(placed.left, monitor.left + 64 - scale - 1);
        EXPECT_LE(placed.getRight(), monitor.left + 1216);
        EXPECT_GE(placed.top, monitor.top + 307 - scale - 1);
        EXPECT_LE(placed.getBottom(), monitor.top + 972);
        EXPECT_NEAR(placed.width, 120 * scale, 1.0f);
    }
}

TEST(MsgProjection, TheDefaultMessageBecomesTwoRowsOfDotsScaleApart) {
    LogCapture log;
    cTextProjector projector;
    cTargetPoints points;

    projector.project(kFullHd, "Your message\r\nhere", points);

    ASSERT_GT(points.size(), 100u);
    EXPECT_LT(points.size(), 1500u);
    EXPECT_TRUE(inReadingOrder(points));
    const keslRect<int>& box = projector.box();
    EXPECT_GT(box.height, 16) << "two lines of a 12-point font";
    EXPECT_GT(box.left, 60) << "centred on x = 150";
    EXPECT_LT(box.getRight(), 240);
    const float scale = cTextProjector::scaleFor(kFullHd, box);
    std::set<int> rows;
    for (const keslPoint<int>& p : points) rows.insert(p.y);
    EXPECT_LE(rows.size(), static_cast<size_t>(box.height + 1));
    EXPECT_GE(*std::next(rows.begin()) - *rows.begin(), static_cast<int>(scale) - 1);
    EXPECT_TRUE(log.contains("project(Your message"));
    EXPECT_TRUE(log.contains("will scale x"));
}

TEST(MsgProjection, ABlankTextGivesNoPoints) {
    cTextProjector projector;
    cTargetPoints points{{3, 4}};
    projector.project(kFullHd, "   ", points);
    EXPECT_TRUE(points.empty());
    projector.project(kFullHd, "", points);
    EXPECT_TRUE(points.empty());
}

TEST(MsgProjection, ALineTooLongForTheRenderingLosesBothEnds) {
    cTextProjector projector;
    cTargetPoints points;
    projector.project(kFullHd, std::string(60, 'W'), points);
    ASSERT_FALSE(points.empty());
    EXPECT_LE(projector.box().left, 1);
    EXPECT_GE(projector.box().getRight(), 298);
}

}  // namespace
