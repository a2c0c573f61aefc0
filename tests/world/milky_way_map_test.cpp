// The Milky Way's glow over the whole sky, made from the catalogue's bands.
#include "world/milky_way_map.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

// Columns and rows of half a degree, the first column's centre at RA 0.25,
// the first row's at Dec -89.75.
TEST(MilkyWayMap, BrightnessIsTheGridSampledAndBlendedBetweenCells) {
    const cMilkyWayMap map;
    const struct {
        int column, row;
    } cells[] = {{532, 121}, {610, 260}, {100, 180}, {0, 200}, {719, 200}};
    for (const auto& c : cells) {
        const double ra = 0.25 + 0.5 * c.column, dec = -89.75 + 0.5 * c.row;
        EXPECT_FLOAT_EQ(map.brightnessAt(ra, dec), map.cell(c.column, c.row)) << c.column << "," << c.row;
        EXPECT_FLOAT_EQ(map.brightnessAt(ra + 360.0, dec), map.cell(c.column, c.row)) << "a turn later";
        EXPECT_FLOAT_EQ(map.brightnessAt(ra - 720.0, dec), map.cell(c.column, c.row)) << "two turns earlier";
        const int next = (c.column + 1) % cMilkyWayMap::kColumns;
        EXPECT_NEAR(map.brightnessAt(ra + 0.25, dec), 0.5f * (map.cell(c.column, c.row) + map.cell(next, c.row)), 1e-5f)
            << "halfway to the next column, across RA 0 too";
    }
    // Past the poles the nearest row stands.
    EXPECT_FLOAT_EQ(map.brightnessAt(10.25, -90.0), map.cell(20, 0));
    EXPECT_FLOAT_EQ(map.brightnessAt(10.25, 90.0), map.cell(20, cMilkyWayMap::kRows - 1));
}

TEST(MilkyWayMap, GlowsAlongTheGalaxyAndNotAtItsPoles) {
    const cMilkyWayMap map;
    const struct {
        const char* where;
        double ra, dec;
        float low, high;
    } places[] = {
        {"the galactic centre, in Sagittarius", 266.4, -28.9, 0.35f, 1.0f},
        {"Cygnus, by Sadr", 305.6, 40.3, 0.15f, 1.0f},
        {"Crux, by the Coalsack's edge", 187.8, -59.7, 0.2f, 1.0f},
        {"the north galactic pole, in Coma", 192.9, 27.1, 0.0f, 0.02f},
        {"the south galactic pole, in Sculptor", 12.9, -27.1, 0.0f, 0.02f},
        {"Ursa Major, far from the band", 165.0, 56.0, 0.0f, 0.05f},
    };
    for (const auto& p : places) {
        const float b = map.brightnessAt(p.ra, p.dec);
        EXPECT_GE(b, p.low) << p.where;
        EXPECT_LE(b, p.high) << p.where;
    }
}

// The glow's grid on a 640x360 view, at moments when the band stands high
// and when it lies along the horizon: each point is the map at the direction
// it looks, faded toward the horizon, none below it.
TEST(MilkyWayGlowGrid, EachPointIsTheMapWhereItLooksAndNoneBelowTheHorizon) {
    const cMilkyWayMap map;
    const struct {
        const char* what;
        double unixSeconds;
        sPlace place;
        float brightest;  // at least, somewhere on the grid
    } cases[] = {
        {"Berlin, an August night: Aquila and the Shield high in the south", 1755288000.0, {52.5, 13.4}, 0.3f},
        {"Sydney, a June night: the galactic centre overhead", 1750000000.0, {-33.9, 151.2}, 0.3f},
    };
    for (const auto& c : cases) {
        const sSkyProjection view = makeSkyProjection(640, 360, c.place.latitudeDeg);
        cMilkyWayGlowGrid grid(view);
        ASSERT_EQ(grid.columns(), 640 / cMilkyWayGlowGrid::kStep + 2);
        ASSERT_EQ(grid.rows(), 360 / cMilkyWayGlowGrid::kStep + 2);
        const sSkyFrame frame = makeSkyFrame(c.unixSeconds, c.place);
        grid.render(map, frame.j2000ToHorizon);
        float brightest = 0.0f;
        for (int row = 0; row < grid.rows(); ++row) {
            for (int column = 0; column < grid.columns(); ++column) {
                const float glow = grid.glow()[static_cast<size_t>(row * grid.columns() + column)];
                const int y = row * cMilkyWayGlowGrid::kStep;
                const sVec3 d = directionOfPixel(view, column * cMilkyWayGlowGrid::kStep, y);
                if (y >= 360) {
                    EXPECT_EQ(glow, 0.0f) << c.what << ": below the horizon, row " << row;
                    continue;
                }
                // The horizon's direction turned back to J2000 by the transposed matrix.
                const auto& m = frame.j2000ToHorizon.m;
                const sVec3 j{m[0][0] * d.x + m[1][0] * d.y + m[2][0] * d.z, m[0][1] * d.x + m[1][1] * d.y + m[2][1] * d.z,
                              m[0][2] * d.x + m[1][2] * d.y + m[2][2] * d.z};
                double ra = 0.0, dec = 0.0;
                anglesOf(j, ra, dec);
                const double altDeg = std::asin(std::min(1.0, d.z)) * kRadToDeg;
                const double fade = std::min(1.0, altDeg / cMilkyWayGlowGrid::kHorizonFadeDeg);
                EXPECT_NEAR(glow, map.brightnessAt(ra, dec) * fade, 2e-3) << c.what << " at " << column << "," << row;
                brightest = std::max(brightest, glow);
            }
        }
        EXPECT_GE(brightest, c.brightest) << c.what;
    }
}

}  // namespace
