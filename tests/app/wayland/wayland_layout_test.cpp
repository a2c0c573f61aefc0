#include "app/wayland/wayland_layout.h"

#include <gtest/gtest.h>

namespace {

keslOutputPlacement output(int left, int top, int width, int height, int scale = 1) {
    return {keslRect<int>(top, left, width, height), scale};
}

TEST(WaylandLayout, EachOutputGetsItsOwnRegionOfTheSkyInDevicePixels) {
    struct Case {
        const char* what;
        std::vector<keslOutputPlacement> outputs;
        std::vector<keslRect<int>> regions;  // top, left, width, height
        keslRect<int> bounds;
    };
    const Case cases[] = {
        {"one output", {output(0, 0, 1920, 1080)}, {{0, 0, 1920, 1080}}, {0, 0, 1920, 1080}},
        {"side by side, the desktop's arrangement kept",
         {output(0, 0, 1280, 720), output(1280, 0, 1280, 720)},
         {{0, 0, 1280, 720}, {0, 1280, 1280, 720}},
         {0, 0, 2560, 720}},
        {"the first output right of the second: the order stays, the origin moves",
         {output(1920, 0, 1920, 1080), output(0, 200, 1280, 720)},
         {{0, 1920, 1920, 1080}, {200, 0, 1280, 720}},
         {0, 0, 3840, 1080}},
        {"all at scale 2: positions and sizes double",
         {output(0, 0, 960, 540, 2), output(960, 0, 960, 540, 2)},
         {{0, 0, 1920, 1080}, {0, 1920, 1920, 1080}},
         {0, 0, 3840, 1080}},
        {"mixed scales would overlap: a row, left to right as on the desktop",
         {output(1280, 0, 1920, 1080, 1), output(0, 0, 1280, 720, 2)},
         {{0, 2560, 1920, 1080}, {0, 0, 2560, 1440}},
         {0, 0, 4480, 1440}},
        {"mixed scales side by side would leave a gap: a row too",
         {output(0, 0, 960, 600, 1), output(960, 0, 480, 300, 2)},
         {{0, 0, 960, 600}, {0, 960, 960, 600}},
         {0, 0, 1920, 600}},
        {"mirrored outputs: side by side rather than on top of each other",
         {output(0, 0, 800, 600), output(0, 0, 800, 600)},
         {{0, 0, 800, 600}, {0, 800, 800, 600}},
         {0, 0, 1600, 600}},
    };
    for (const Case& c : cases) {
        const std::vector<keslRect<int>> regions = skyRegionsFor(c.outputs);
        ASSERT_EQ(regions.size(), c.regions.size()) << c.what;
        for (size_t i = 0; i < regions.size(); ++i) {
            EXPECT_EQ(regions[i].toString(), c.regions[i].toString()) << c.what << ", output " << i;
        }
        EXPECT_EQ(skyBoundsOf(regions).toString(), c.bounds.toString()) << c.what;
    }
}

TEST(WaylandLayout, NoOutputsMeansNoSky) {
    EXPECT_TRUE(skyRegionsFor({}).empty());
    EXPECT_EQ(skyBoundsOf({}).width, 0);
}

}  // namespace
