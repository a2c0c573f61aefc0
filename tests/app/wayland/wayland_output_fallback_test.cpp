#include "app/wayland/wayland_layout.h"

#include <gtest/gtest.h>

#include <vector>

// Without xdg-output an output's place on the desktop comes from its
// wl_output position, current mode, transform and scale alone.
namespace {

TEST(WaylandOutputFallback, AnOutputLiesAsItsModeTurnedAndScaled) {
    struct Case {
        const char* what;
        int scale;
        int transform;  // wl_output's: 0 normal, 1 90, 2 180, 3 270, 4..7 the same flipped
        keslRect<int> expected;
    };
    const Case cases[] = {
        {"upright", 1, 0, {100, 1920, 1920, 1080}},
        {"upside down keeps its shape", 1, 2, {100, 1920, 1920, 1080}},
        {"portrait, turned by 90", 1, 1, {100, 1920, 1080, 1920}},
        {"portrait, turned by 270", 1, 3, {100, 1920, 1080, 1920}},
        {"flipped and turned by 90", 1, 5, {100, 1920, 1080, 1920}},
        {"flipped and turned by 270", 1, 7, {100, 1920, 1080, 1920}},
        {"flipped only", 1, 4, {100, 1920, 1920, 1080}},
        {"flipped and upside down", 1, 6, {100, 1920, 1920, 1080}},
        {"portrait at scale 2", 2, 1, {100, 1920, 540, 960}},
        {"a scale of 0 counts as 1", 0, 0, {100, 1920, 1920, 1080}},
    };
    for (const Case& c : cases) {
        const keslRect<int> rect = desktopRectFromMode({1920, 100}, {1920, 1080}, c.scale, c.transform);
        EXPECT_EQ(rect.toString(), c.expected.toString()) << c.what;
    }
}

// What wl_output says of one output.
struct Described {
    keslPoint<int> position;
    keslPoint<int> mode;
    int scale;
    int transform;
};

std::vector<keslRect<int>> skyOf(const std::vector<Described>& described) {
    std::vector<keslOutputPlacement> outputs;
    for (const Described& d : described) {
        outputs.push_back({desktopRectFromMode(d.position, d.mode, d.scale, d.transform), d.scale});
    }
    return skyRegionsFor(outputs);
}

TEST(WaylandOutputFallback, TurnedOutputsTakeTheirUprightShapeInTheSky) {
    struct Case {
        const char* what;
        std::vector<Described> outputs;
        std::vector<keslRect<int>> regions;  // top, left, width, height in device pixels
    };
    const Case cases[] = {
        {"no position given: a turned output stands upright beside a landscape one",
         {{{0, 0}, {1920, 1080}, 1, 0}, {{0, 0}, {1920, 1080}, 1, 1}},
         {{0, 0, 1920, 1080}, {0, 1920, 1080, 1920}}},
        {"no position given, the portrait one first: it keeps the first place",
         {{{0, 0}, {1920, 1080}, 1, 3}, {{0, 0}, {1920, 1080}, 1, 2}},
         {{0, 0, 1080, 1920}, {0, 1080, 1920, 1080}}},
        {"three without a position, flipped variants among them: one row in the order given",
         {{{0, 0}, {1280, 1024}, 1, 4}, {{0, 0}, {1280, 1024}, 1, 7}, {{0, 0}, {1280, 1024}, 1, 6}},
         {{0, 0, 1280, 1024}, {0, 1280, 1024, 1280}, {0, 2304, 1280, 1024}}},
        {"positions given: a portrait output right of a landscape one stays there",
         {{{0, 0}, {1920, 1080}, 1, 0}, {{1920, 0}, {1920, 1080}, 1, 3}},
         {{0, 0, 1920, 1080}, {0, 1920, 1080, 1920}}},
        {"positions given left of the origin: the sky starts at the leftmost output",
         {{{-1080, -200}, {1920, 1080}, 1, 1}, {{0, 0}, {1920, 1080}, 1, 0}},
         {{0, 0, 1080, 1920}, {200, 1080, 1920, 1080}}},
        {"a turned output at scale 2 fills its device pixels",
         {{{0, 0}, {3840, 2160}, 2, 1}},
         {{0, 0, 2160, 3840}}},
    };
    for (const Case& c : cases) {
        const std::vector<keslRect<int>> regions = skyOf(c.outputs);
        ASSERT_EQ(regions.size(), c.regions.size()) << c.what;
        for (size_t i = 0; i < regions.size(); ++i) {
            EXPECT_EQ(regions[i].toString(), c.regions[i].toString()) << c.what << ", output " << i;
        }
    }
}

}  // namespace
