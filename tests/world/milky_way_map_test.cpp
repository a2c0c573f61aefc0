// The Milky Way's glow over the whole sky, made from the catalogue's bands.
#include "world/milky_way_map.h"

#include <gtest/gtest.h>

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

}  // namespace
