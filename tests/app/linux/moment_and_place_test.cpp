#include "app/linux/moment_and_place.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLinePlace, TheCommaPartsTheCoordinatesSoEachTakesOnlyAPoint) {
    struct Case {
        const char* text;
        bool accepted;
        double latitude;
        double longitude;
    };
    for (const Case& c : {Case{"52.5,13.4", true, 52.5, 13.4}, Case{"-33.87,+151.21", true, -33.87, 151.21},
                          Case{" 90 , -180 ", true, 90.0, -180.0}, Case{"52,5", true, 52.0, 5.0},
                          Case{"52,5,13", false, 0, 0}, Case{"1e1,0", false, 0, 0}, Case{"0,0x10", false, 0, 0},
                          Case{"nan,0", false, 0, 0}, Case{"0,-inf", false, 0, 0}, Case{"52.5", false, 0, 0},
                          Case{",13.4", false, 0, 0}, Case{"90.0001,0", false, 0, 0}, Case{"0,180.5", false, 0, 0}}) {
        sPlace place;
        place.latitudeDeg = -1234.0;
        place.longitudeDeg = -1234.0;
        EXPECT_EQ(parsePlace(c.text, place), c.accepted) << c.text;
        EXPECT_DOUBLE_EQ(place.latitudeDeg, c.accepted ? c.latitude : -1234.0) << c.text;
        EXPECT_DOUBLE_EQ(place.longitudeDeg, c.accepted ? c.longitude : -1234.0) << c.text;
    }
}

TEST(CommandLineMoment, AUtcTimeReadsAsSecondsSince1970AndAnImpossibleOneIsRefused) {
    struct Case {
        const char* text;
        bool accepted;
        double unixSeconds;
    };
    for (const Case& c : {Case{"1970-01-01T00:00Z", true, 0.0}, Case{"2026-03-20T21:30:00Z", true, 1774042200.0},
                          Case{"2028-02-29 23:59:59.5+00:00", true, 1835481599.5},
                          Case{"1800-01-01t00:00:00z", true, -5364662400.0}, Case{"2026-02-29T00:00Z", false, 0},
                          Case{"2026-03-20T24:00Z", false, 0}, Case{"2026-03-20T21:30:00+01:00", false, 0},
                          Case{"2026-03-20T21:30:00.Z", false, 0}, Case{"yesterday", false, 0}}) {
        double seconds = -1.0;
        EXPECT_EQ(parseIsoUtc(c.text, seconds), c.accepted) << c.text;
        EXPECT_DOUBLE_EQ(seconds, c.accepted ? c.unixSeconds : -1.0) << c.text;
    }
}

}  // namespace
