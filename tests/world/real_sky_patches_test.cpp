// The deep-sky objects' soft patches: drawn into the layer, a patch peaks at
// the pixel of its centre, is as round, long or slanted as its axes say and
// adds nothing at its edge; on the sky, an object's patch lies along its
// position angle as the view shows north and east, a tiny one still shows,
// none by day or under the horizon; and the brightest glow a little brighter
// than the Milky Way while a small sixth-magnitude cluster is a mere smudge.
#include "astro/sky_frame.h"
#include "world/milky_way_map.h"
#include "world/real_sky_patches.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr int kSide = 64;
constexpr keslColor kBase = 0x050810FFu;

int lightAt(cRealSkyLayer& layer, int x, int y) {
    const keslColor c = layer.image().getPixel(x, y);
    return static_cast<int>(((c >> 24) & 0xFF) + ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF));
}

TEST(RealSkyPatchDrawing, PeaksAtItsCentreTakesItsAxesShapeAndEndsAtItsEdge) {
    struct Point {
        int x, y;
    };
    const struct {
        const char* what;
        cRealSkyLayer::sPatch patch;
        Point peak;
        std::vector<std::pair<Point, Point>> alike;  // pixels as bright as each other
        std::vector<Point> lit, unlit;
    } cases[] = {
        {"round", {30.0f, 20.0f, 8.0f, 0.0f, 0.0f, 8.0f, 40.0f, 40.0f, 40.0f}, {30, 20},
         {{{27, 20}, {33, 20}}, {{30, 17}, {30, 23}}, {{25, 20}, {30, 25}}, {{27, 17}, {33, 23}}},
         {{36, 20}, {30, 14}, {25, 24}},
         {{38, 20}, {22, 20}, {30, 28}, {30, 12}, {36, 26}}},
        {"long across", {30.0f, 30.0f, 12.0f, 0.0f, 0.0f, 4.0f, 40.0f, 40.0f, 40.0f}, {30, 30},
         {{{24, 30}, {36, 30}}, {{30, 28}, {30, 32}}},
         {{39, 30}, {21, 30}},
         {{30, 34}, {30, 26}, {42, 30}, {39, 33}}},
        {"slanted down to the right", {30.0f, 30.0f, 8.0f, 8.0f, -3.0f, 3.0f, 40.0f, 40.0f, 40.0f}, {30, 30},
         {{{25, 25}, {35, 35}}},
         {{36, 36}, {24, 24}},
         {{35, 25}, {25, 35}, {39, 39}}},
        {"centre off the pixel grid", {30.6f, 19.7f, 3.0f, 0.0f, 0.0f, 3.0f, 40.0f, 40.0f, 40.0f}, {31, 20}, {}, {}, {}},
        {"cut by the layer's corner", {2.0f, 61.0f, 10.0f, 0.0f, 0.0f, 10.0f, 40.0f, 40.0f, 40.0f}, {2, 61}, {},
         {{0, 63}, {9, 61}}, {{13, 61}}},
    };
    for (const auto& c : cases) {
        cRealSkyLayer layer(kSide, kSide, kBase, {}, 0, 1);
        layer.begin({}, {c.patch});
        layer.finish();
        const int base = 0x05 + 0x08 + 0x10;
        int brightest = 0, bx = -1, by = -1;
        for (int y = 0; y < kSide; ++y) {
            for (int x = 0; x < kSide; ++x) {
                if (lightAt(layer, x, y) > brightest) {
                    brightest = lightAt(layer, x, y);
                    bx = x;
                    by = y;
                }
            }
        }
        EXPECT_EQ(bx, c.peak.x) << c.what;
        EXPECT_EQ(by, c.peak.y) << c.what;
        EXPECT_GE(brightest, base + 100) << c.what << ": the peak adds about its colour";
        for (const auto& pair : c.alike) {
            EXPECT_EQ(lightAt(layer, pair.first.x, pair.first.y), lightAt(layer, pair.second.x, pair.second.y))
                << c.what << " at " << pair.first.x << "," << pair.first.y;
        }
        for (const Point& p : c.lit) EXPECT_GT(lightAt(layer, p.x, p.y), base) << c.what << " at " << p.x << "," << p.y;
        for (const Point& p : c.unlit) EXPECT_EQ(lightAt(layer, p.x, p.y), base) << c.what << " at " << p.x << "," << p.y;
    }
}

// An object due south on a view from 50 deg north, 20 deg north of the
// equator, 60 deg up: there north is up and east is to the left.
TEST(RealSkyPatches, LieAlongThePositionAngleAndNeverVanishForSmallness) {
    const sPlace place{50.0, 10.0};
    const double now = 1797210000.0;
    const sSkyFrame frame = makeSkyFrame(now, place);
    const sSkyProjection projection = makeSkyProjection(1280, 720, place.latitudeDeg);
    const float ra = static_cast<float>(frame.localSiderealDeg);
    const struct {
        const char* what;
        float major, minor, angle;
        float wantedUx, wantedUy, wantedVx, wantedVy;  // directions, and lengths in pixels
        float tolerance;
    } cases[] = {
        {"long north-south", 120.0f, 40.0f, 0.0f, 0.0f, -1.0f, -1.0f / 3.0f, 0.0f, 0.03f},
        {"long east-west", 120.0f, 40.0f, 90.0f, -1.0f, 0.0f, 0.0f, 1.0f / 3.0f, 0.03f},
        {"long north-east", 120.0f, 120.0f, 45.0f, -0.7071f, -0.7071f, -0.7071f, 0.7071f, 0.03f},
    };
    float northSouthLength = 0.0f;
    for (const auto& c : cases) {
        const sDeepSkyObject object{ra, 20.0f, 3.0f, c.major, c.minor, c.angle, eDeepSkyKind::galaxy, "X 1", ""};
        cRealSkyPatches patches(sDeepSkyCatalogue{&object, 1});
        std::vector<cRealSkyLayer::sPatch> drawn;
        patches.collect(projection, frame, 1.0f, drawn);
        ASSERT_EQ(drawn.size(), 1u) << c.what;
        const cRealSkyLayer::sPatch& p = drawn[0];
        const float length = std::hypot(p.ux, p.uy);
        if (northSouthLength == 0.0f) northSouthLength = length;
        EXPECT_NEAR(p.ux / length, c.wantedUx, c.tolerance) << c.what;
        EXPECT_NEAR(p.uy / length, c.wantedUy, c.tolerance) << c.what;
        EXPECT_NEAR(p.vx / length, c.wantedVx, c.tolerance) << c.what;
        EXPECT_NEAR(p.vy / length, c.wantedVy, c.tolerance) << c.what;
        EXPECT_NEAR(length, northSouthLength, 0.03f * northSouthLength) << c.what << ": the same size, turned";
    }
    // 60 deg up, the stereographic view of 720 rows shows a degree as 720 / (2 tan 35 deg) / cos^2 30 deg
    // pixels a radian, 12 a degree; the edge lies 1.4 radii out.
    EXPECT_NEAR(northSouthLength, 1.4f * 11.96f, 0.4f);

    const sDeepSkyObject tiny{ra, 20.0f, 5.9f, 3.0f, 3.0f, kNoPositionAngle, eDeepSkyKind::openCluster, "X 2", ""};
    cRealSkyPatches tinyPatches(sDeepSkyCatalogue{&tiny, 1});
    std::vector<cRealSkyLayer::sPatch> drawn;
    tinyPatches.collect(projection, frame, 1.0f, drawn);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_GE(std::hypot(drawn[0].ux, drawn[0].uy), 3.0f);
    EXPECT_GE(std::hypot(drawn[0].vx, drawn[0].vy), 3.0f);
    EXPECT_LE(std::hypot(drawn[0].ux, drawn[0].uy), 4.0f);
}

TEST(RealSkyPatches, FadeAsTheGlowDoesByDayAndTowardTheHorizon) {
    const sPlace place{50.0, 10.0};
    const sSkyFrame frame = makeSkyFrame(1797210000.0, place);
    const sSkyProjection projection = makeSkyProjection(1280, 720, place.latitudeDeg);
    const float ra = static_cast<float>(frame.localSiderealDeg);
    // Due south the equator stands 40 deg high; an object at -36 stands 4 deg up, at -45 under the horizon.
    const struct {
        const char* what;
        float dec, share;
        int patches;
        float light;  // of the patch's red at its centre, in the high night patch's
    } cases[] = {
        {"high at night", 0.0f, 1.0f, 1, 1.0f},
        {"high in twilight", 0.0f, 0.5f, 1, 0.5f},
        {"high by day", 0.0f, 0.0f, 0, 0.0f},
        {"in the horizon's haze", -36.0f, 1.0f, 1, 0.5f},
        {"under the horizon", -45.0f, 1.0f, 0, 0.0f},
    };
    const sDeepSkyObject high{ra, 0.0f, 4.0f, 90.0f, 60.0f, kNoPositionAngle, eDeepSkyKind::brightNebula, "X 1", ""};
    const float nightRed = cRealSkyPatches::peakOf(high).red;
    for (const auto& c : cases) {
        sDeepSkyObject object = high;
        object.decDeg = c.dec;
        cRealSkyPatches patches(sDeepSkyCatalogue{&object, 1});
        std::vector<cRealSkyLayer::sPatch> drawn;
        patches.collect(projection, frame, c.share, drawn);
        ASSERT_EQ(static_cast<int>(drawn.size()), c.patches) << c.what;
        if (c.patches == 1) {
            EXPECT_NEAR(drawn[0].red / nightRed, c.light, 0.1f) << c.what;
        }
    }
}

TEST(RealSkyPatches, TheBrightestGlowALittleAboveTheMilkyWayAndSmallFaintOnesAreSmudges) {
    const cMilkyWayMap map;
    float brightestGlow = 0.0f;
    for (int row = 0; row < cMilkyWayMap::kRows; ++row) {
        for (int column = 0; column < cMilkyWayMap::kColumns; ++column) brightestGlow = std::max(brightestGlow, map.cell(column, row));
    }
    auto sum = [](keslColor c, float share) {
        return share * static_cast<float>(((c >> 24) & 0xFF) + ((c >> 16) & 0xFF) + ((c >> 8) & 0xFF));
    };
    const float milkyWay = sum(cRealSkyLayer::kGlowColour, brightestGlow);
    const sDeepSkyCatalogue& catalogue = builtInDeepSkyCatalogue();
    auto peakOf = [&](const char* designation) {
        for (std::size_t i = 0; i < catalogue.count; ++i) {
            if (std::strcmp(catalogue.objects[i].designation, designation) != 0) continue;
            const cRealSkyPatches::sRgb rgb = cRealSkyPatches::peakOf(catalogue.objects[i]);
            return rgb.red + rgb.green + rgb.blue;
        }
        ADD_FAILURE() << designation << " is not in the table";
        return 0.0f;
    };
    for (const char* brightest : {"LMC", "M 45", "M 42"}) {
        EXPECT_GT(peakOf(brightest), 1.05f * milkyWay) << brightest;
        EXPECT_LT(peakOf(brightest), 1.5f * milkyWay) << brightest;
    }
    // The Lagoon and omega Centauri: faint, yet there.
    for (const char* faint : {"M 8", "NGC 5139"}) {
        EXPECT_GT(peakOf(faint), 0.15f * milkyWay) << faint;
        EXPECT_LT(peakOf(faint), 0.5f * milkyWay) << faint;
    }
    // Small clusters of the sixth magnitude: a few levels over the base.
    for (const char* smudge : {"M 36", "NGC 5281", "NGC 3228"}) {
        EXPECT_GT(peakOf(smudge), 6.0f) << smudge;
        EXPECT_LT(peakOf(smudge), 20.0f) << smudge;
    }
}

}  // namespace
