// The built-in deep-sky table as generated: the objects people look for are
// in it where and as bright and big as the sky has them, what would spoil
// the sky or rests on bogus magnitudes is not; and the points that give an
// object's slant on a view lie toward its position angle.
#include "astro/deep_sky_catalogue.h"
#include "astro/deep_sky_positions.h"
#include "astro/sky_frame.h"
#include "astro/star_positions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {

const sDeepSkyObject* find(const char* designation) {
    const sDeepSkyCatalogue& c = builtInDeepSkyCatalogue();
    for (std::size_t i = 0; i < c.count; ++i) {
        if (std::strcmp(c.objects[i].designation, designation) == 0) return &c.objects[i];
    }
    return nullptr;
}

TEST(DeepSkyCatalogue, HoldsTheBrightestObjectsWithTheirPlacesSizesAndKinds) {
    const struct {
        const char* designation;
        const char* name;
        const char* group;
        double ra, dec, mag, major, minor;
        float positionAngle;
    } cases[] = {
        {"M 31", "Andromeda Galaxy", "galaxy", 10.68, 41.27, 3.4, 189.1, 61.7, 35.0f},
        {"LMC", "Large Magellanic Cloud", "galaxy", 80.90, -69.76, 0.9, 645.0, 550.0, 170.0f},
        {"M 45", "Pleiades", "cluster", 56.75, 24.12, 1.2, 110.0, 110.0, kNoPositionAngle},
        {"M 42", "Orion Nebula", "nebula", 83.82, -5.39, 4.0, 90.0, 60.0, kNoPositionAngle},
        {"NGC 5139", "\317\211 Cen Cluster", "cluster", 201.70, -47.48, 5.33, 55.0, 55.0, kNoPositionAngle},
        {"M 44", "Praesepe", "cluster", 130.10, 19.67, 3.1, 70.0, 70.0, kNoPositionAngle},
        {"M 8", "Lagoon Nebula", "nebula", 270.90, -24.38, 5.0, 90.0, 40.0, kNoPositionAngle},
        {"NGC 6397", "NGC 6397", "cluster", 265.18, -53.67, 5.17, 32.0, 32.0, kNoPositionAngle},
    };
    for (const auto& c : cases) {
        const sDeepSkyObject* o = find(c.designation);
        ASSERT_NE(o, nullptr) << c.designation;
        EXPECT_STREQ(o->displayName(), c.name) << c.designation;
        EXPECT_STREQ(deepSkyGroupName(o->kind), c.group) << c.designation;
        EXPECT_NEAR(o->raDeg, c.ra, 0.01) << c.designation;
        EXPECT_NEAR(o->decDeg, c.dec, 0.01) << c.designation;
        EXPECT_NEAR(o->mag, c.mag, 0.05) << c.designation;
        EXPECT_NEAR(o->majorArcmin, c.major, 0.1) << c.designation;
        EXPECT_NEAR(o->minorArcmin, c.minor, 0.1) << c.designation;
        EXPECT_EQ(o->positionAngleDeg, c.positionAngle) << c.designation;
    }
}

TEST(DeepSkyCatalogue, LeavesOutDarkNebulaeBogusMagnitudesWideClustersAndDuplicates) {
    // The Hyades, the Coma cluster, alpha Persei's, Orion's belt: their stars are the sight.
    // The Pleiades' own nebulae (Maia's, Merope's) lie inside the cluster's patch.
    for (const char* left : {"C 41", "Cr 256", "Cr 39", "Cr 70", "NGC 1432", "NGC 1435", "Cr 234"}) {
        EXPECT_EQ(find(left), nullptr) << left;
    }
    const sDeepSkyCatalogue& c = builtInDeepSkyCatalogue();
    EXPECT_GE(c.count, 60u);
    EXPECT_LE(c.count, 120u);
    for (std::size_t i = 0; i < c.count; ++i) {
        const sDeepSkyObject& o = c.objects[i];
        const std::string designation = o.designation;
        const std::string catalogue = designation.substr(0, designation.find(' '));
        // Lynds' dark nebulae, Cederblad, van den Bergh and Barnard carry no visual magnitude there.
        EXPECT_TRUE(catalogue != "LDN" && catalogue != "Ced" && catalogue != "VdB" && catalogue != "B") << designation;
        EXPECT_GT(o.mag, 0.0f) << designation;
        EXPECT_LE(o.mag, 6.0f) << designation;
        EXPECT_GE(o.majorArcmin, o.minorArcmin) << designation;
        EXPECT_GT(o.minorArcmin, 0.0f) << designation;
        if (o.kind == eDeepSkyKind::openCluster && designation != "M 45") {
            EXPECT_LT(o.majorArcmin, 120.0f) << designation;
        }
        if (i > 0) {
            EXPECT_LE(c.objects[i - 1].mag, o.mag) << designation << ": not brightest first";
        }
    }
}

TEST(DeepSkyPositions, AxisPointsLieTowardThePositionAngle) {
    const struct {
        const char* what;
        double ra, dec, angle;
        double wantedRa, wantedDec;
    } cases[] = {
        {"north", 100.0, 10.0, 0.0, 100.0, 10.25},
        {"east at the equator", 100.0, 0.0, 90.0, 100.25, 0.0},
        {"west across RA 0", 0.1, 0.0, 270.0, 359.85, 0.0},
        {"south", 200.0, -30.0, 180.0, 200.0, -30.25},
        // East at declination 60: a quarter degree of sky is half a degree of right ascension.
        {"east far north", 50.0, 60.0, 90.0, 50.5, 60.0},
    };
    for (const auto& c : cases) {
        double ra = 0.0, dec = 0.0;
        offsetOnSky(c.ra, c.dec, c.angle, 0.25, ra, dec);
        EXPECT_NEAR(ra, c.wantedRa, 0.002) << c.what;
        EXPECT_NEAR(dec, c.wantedDec, 0.002) << c.what;
    }
}

TEST(DeepSkyPositions, ACentreStandsWhereAStarAtItsPlaceStands) {
    const sDeepSkyObject& andromeda = *find("M 31");
    const sCatalogueStar star{andromeda.raDeg, andromeda.decDeg, andromeda.mag, 0.0f};
    sStarCatalogue one{};
    one.stars = &star;
    one.starCount = 1;
    cStarPositions stars(one);
    cDeepSkyPositions objects;
    // Over Vienna, 22 deg up in the north-west: the air lifts it a little.
    const sSkyFrame frame = makeSkyFrame(1797210000.0, sPlace{48.21, 16.37});
    stars.compute(frame);
    objects.compute(frame);
    std::size_t i = static_cast<std::size_t>(&andromeda - builtInDeepSkyCatalogue().objects);
    EXPECT_EQ(objects.centre(i).east, stars.places()[0].east);
    EXPECT_EQ(objects.centre(i).north, stars.places()[0].north);
    EXPECT_EQ(objects.centre(i).up, stars.places()[0].up);
}

}  // namespace
