// The Windows families the sky names must find their stand-in faces on Linux.
#include "platform/raster/font_engine.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

namespace {

TEST(FontEngine, WindowsFamiliesResolveToTheirStandInsWithoutWarnings) {
    LogCapture log;
    for (const char* family : {"Arial", "Courier New", "Comic Sans MS"}) {
        keslTextParams params;
        params.fontName = family;
        const keslTextExtent extent = keslFontEngine::get().measure("Hello", params, 0);
        EXPECT_GT(extent.width, 0) << family;
    }
    EXPECT_FALSE(log.contains("#8711")) << log.contents();
}

TEST(FontEngine, AMissingFamilyIsLoggedOnceAndFallsBack) {
    LogCapture log;
    keslTextParams params;
    params.fontName = "Surely Absent Family";
    EXPECT_GT(keslFontEngine::get().measure("Hello", params, 0).width, 0);
    EXPECT_GT(keslFontEngine::get().measure("Hello", params, 0).width, 0);
    const std::string text = log.contents();
    const size_t first = text.find("font [Surely Absent Family] is not installed");
    ASSERT_NE(first, std::string::npos) << text;
    EXPECT_EQ(text.find("font [Surely Absent Family] is not installed", first + 1), std::string::npos);
}

TEST(FontEngine, PointsBecomePixelsAsMulDivAtNinetySixDpi) {
    EXPECT_EQ(keslFontEngine::pixelHeightForPoints(12), 16);
    EXPECT_EQ(keslFontEngine::pixelHeightForPoints(10), 13);  // 13.33 rounds down
    EXPECT_EQ(keslFontEngine::pixelHeightForPoints(11), 15);  // 14.67 rounds up
    EXPECT_EQ(keslFontEngine::pixelHeightForPoints(0), 13);   // no size: the default size
}

TEST(FontEngine, MonospaceGivesEveryCharacterTheSameAdvance) {
    keslTextParams params;
    params.fontName = "Courier New";
    keslFontEngine& engine = keslFontEngine::get();
    EXPECT_EQ(engine.measure("iiii", params, 0).width, engine.measure("WWWW", params, 0).width);
    EXPECT_EQ(engine.measure("iiii", params, 2).width, engine.measure("iiii", params, 0).width + 8);
}

}  // namespace
