#include "settings/coordinates.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using M = keslDecimalMark;

struct Reading {
    const char* text;
    M mark;
    bool accepted;
    double degrees;  // what is read when accepted
};

void expectLatitudes(const std::vector<Reading>& table) {
    for (const Reading& r : table) {
        double degrees = -1234.0;
        EXPECT_EQ(parseLatitude(r.text, r.mark, degrees), r.accepted) << '"' << r.text << '"';
        EXPECT_DOUBLE_EQ(degrees, r.accepted ? r.degrees : -1234.0) << '"' << r.text << '"';
    }
}

TEST(Coordinates, ALatitudeIsASignedDecimalOfDegreesWithinNinety) {
    expectLatitudes({
        {"52.5", M::point, true, 52.5},
        {"-33.87", M::point, true, -33.87},
        {"+13.4", M::point, true, 13.4},
        {"90", M::point, true, 90.0},
        {"-90", M::point, true, -90.0},
        {" 52.5 ", M::point, true, 52.5},
        {"\t52.5\r\n", M::pointOrComma, true, 52.5},
        {"52,5", M::pointOrComma, true, 52.5},
        {"-0,25", M::pointOrComma, true, -0.25},
        // What the Sky page has always kept, so a stored value still loads.
        {"5.", M::point, true, 5.0},
        {".5", M::point, true, 0.5},
        {"52,5", M::point, false, 0.0},
        {"90.0001", M::point, false, 0.0},
        {"-90.5", M::point, false, 0.0},
        {"1e1", M::pointOrComma, false, 0.0},
        {"1E1", M::pointOrComma, false, 0.0},
        {"0x10", M::pointOrComma, false, 0.0},
        {"nan", M::pointOrComma, false, 0.0},
        {"inf", M::pointOrComma, false, 0.0},
        {"-inf", M::pointOrComma, false, 0.0},
        {"", M::pointOrComma, false, 0.0},
        {"   ", M::pointOrComma, false, 0.0},
        {"-", M::pointOrComma, false, 0.0},
        {".", M::pointOrComma, false, 0.0},
        {"52.5.1", M::pointOrComma, false, 0.0},
        {"52,5.1", M::pointOrComma, false, 0.0},
        {"12abc", M::pointOrComma, false, 0.0},
        {"+-5", M::pointOrComma, false, 0.0},
        {"--5", M::pointOrComma, false, 0.0},
        {"5-", M::pointOrComma, false, 0.0},
        {"5 2", M::pointOrComma, false, 0.0},
    });
}

TEST(Coordinates, ALongitudeTakesTheSameFormWithinOneHundredAndEighty) {
    struct Case {
        const char* text;
        bool accepted;
        double degrees;
    };
    for (const Case& c : {Case{"-180", true, -180.0}, Case{"180", true, 180.0}, Case{"151,21", true, 151.21},
                          Case{"91", true, 91.0}, Case{"180.5", false, 0.0}, Case{"-181", false, 0.0},
                          Case{"1e2", false, 0.0}, Case{"13 E", false, 0.0}}) {
        double degrees = -1234.0;
        EXPECT_EQ(parseLongitude(c.text, M::pointOrComma, degrees), c.accepted) << c.text;
        EXPECT_DOUBLE_EQ(degrees, c.accepted ? c.degrees : -1234.0) << c.text;
    }
}

TEST(Coordinates, AValueIsKeptWithoutBlanksPlusOrComma) {
    EXPECT_EQ(keptCoordinate(" +52,5 "), "52.5");
    EXPECT_EQ(keptCoordinate("-33.87"), "-33.87");
}

}  // namespace
