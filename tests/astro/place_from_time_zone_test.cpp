// The place a time zone gives: its own city, an old spelling's own country's
// city, a Windows key's city for the user's country, and the UTC offset when
// the tables do not know the zone. The true places are zone.tab's.
#include "astro/place_from_time_zone.h"
#include "support/fake_system.h"
#include "support/log_capture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>

namespace {

struct ZoneCase {
    const char* zone;
    const char* country;
    double latitude;
    double longitude;
    ePlaceSource source;
};

void expectPlaces(const ZoneCase* begin, const ZoneCase* end) {
    for (const ZoneCase* c = begin; c != end; ++c) {
        SCOPED_TRACE(std::string(c->zone) + " in '" + c->country + "'");
        sZoneLookup found;
        ASSERT_TRUE(placeOfZoneName(c->zone, c->country, found));
        EXPECT_NEAR(found.place.latitudeDeg, c->latitude, 0.01);
        EXPECT_NEAR(found.place.longitudeDeg, c->longitude, 0.01);
        EXPECT_EQ(found.source, c->source);
        EXPECT_EQ(found.borrowedFrom, nullptr);
    }
}

TEST(PlaceFromTimeZone, NamedZonesGiveTheirCityFromEitherSystemsSpelling) {
    const ZoneCase cases[] = {
        {"Europe/Berlin", "", 52.50, 13.37, ePlaceSource::ianaZone},
        {":Europe/Berlin", "", 52.50, 13.37, ePlaceSource::ianaZone},
        {"../usr/share/zoneinfo/Europe/Berlin", "", 52.50, 13.37, ePlaceSource::ianaZone},
        {"Australia/Sydney", "", -33.87, 151.22, ePlaceSource::ianaZone},
        // zone.tab's own entries, though tzdata links them to a neighbour.
        {"Europe/Oslo", "", 59.92, 10.75, ePlaceSource::ianaZone},
        {"Arctic/Longyearbyen", "", 78.00, 16.00, ePlaceSource::ianaZone},
        // The country decides only for a Windows key: the IANA name is exact.
        {"Europe/Berlin", "AT", 52.50, 13.37, ePlaceSource::ianaZone},
    };
    expectPlaces(std::begin(cases), std::end(cases));
}

TEST(PlaceFromTimeZone, OldSpellingsAndLinksGiveTheirOwnCountrysCity) {
    const ZoneCase cases[] = {
        {"Africa/Asmera", "", 15.33, 38.88, ePlaceSource::ianaZone},          // not Nairobi, its link target
        {"Atlantic/Jan_Mayen", "", 78.00, 16.00, ePlaceSource::ianaZone},     // Svalbard and Jan Mayen, not Berlin
        {"Iceland", "", 64.15, -21.85, ePlaceSource::ianaZone},               // not Abidjan
        {"Africa/Timbuktu", "", 12.65, -8.00, ePlaceSource::ianaZone},        // Mali's Bamako
        {"America/Coral_Harbour", "", 48.76, -91.62, ePlaceSource::ianaZone}, // Canada's Atikokan, not Panama
        {"America/Virgin", "", 18.35, -64.93, ePlaceSource::ianaZone},        // St Thomas, not Puerto Rico
        {"Pacific/Truk", "", 7.42, 151.78, ePlaceSource::ianaZone},           // Chuuk, not Port Moresby
        {"Asia/Calcutta", "", 22.53, 88.37, ePlaceSource::ianaZone},
        {"US/Eastern", "", 40.71, -74.01, ePlaceSource::ianaZone},
        // The country alone names it: Ukraine's entry is its link target.
        {"Europe/Kiev", "", 50.43, 30.52, ePlaceSource::ianaZone},
        {"America/Santa_Isabel", "", 32.53, -117.02, ePlaceSource::ianaZone},
    };
    expectPlaces(std::begin(cases), std::end(cases));
}

TEST(PlaceFromTimeZone, AWindowsKeyGivesTheCityOfTheUsersCountry) {
    const ZoneCase cases[] = {
        {"W. Europe Standard Time", "AT", 48.22, 16.33, ePlaceSource::windowsZone},
        {"W. Europe Standard Time", "at", 48.22, 16.33, ePlaceSource::windowsZone},
        {"W. Europe Standard Time", "IT", 41.90, 12.48, ePlaceSource::windowsZone},
        {"W. Europe Standard Time", "NO", 59.92, 10.75, ePlaceSource::windowsZone},
        {"W. Europe Standard Time", "DE", 52.50, 13.37, ePlaceSource::windowsZone},
        // A country the key does not cover, or none, gets the key's own city.
        {"W. Europe Standard Time", "US", 52.50, 13.37, ePlaceSource::windowsZone},
        {"W. Europe Standard Time", "", 52.50, 13.37, ePlaceSource::windowsZone},
        {"W. Europe Standard Time", "Austria", 52.50, 13.37, ePlaceSource::windowsZone},
        {"Central Europe Standard Time", "CZ", 50.08, 14.43, ePlaceSource::windowsZone},
        {"Romance Standard Time", "ES", 40.40, -3.68, ePlaceSource::windowsZone},
        {"Pacific Standard Time", "CA", 49.27, -123.12, ePlaceSource::windowsZone},
        {"Pacific Standard Time", "", 34.05, -118.24, ePlaceSource::windowsZone},
        // CLDR names the old spelling, which gives the city.
        {"India Standard Time", "IN", 22.53, 88.37, ePlaceSource::windowsZone},
        {"AUS Eastern Standard Time", "", -33.87, 151.22, ePlaceSource::windowsZone},
    };
    expectPlaces(std::begin(cases), std::end(cases));
}

TEST(PlaceFromTimeZone, TheBuiltInTablesAreSortedForTheBinarySearch) {
    const sZoneTables& tables = builtInZoneTables();
    ASSERT_GT(tables.placeCount, 500u);
    for (std::size_t i = 1; i < tables.placeCount; ++i) {
        ASSERT_LT(std::strcmp(tables.places[i - 1].zone, tables.places[i].zone), 0) << tables.places[i].zone;
    }
    ASSERT_GT(tables.windowsZoneCount, 130u);
    for (std::size_t i = 1; i < tables.windowsZoneCount; ++i) {
        const sWindowsZone& a = tables.windowsZones[i - 1];
        const sWindowsZone& b = tables.windowsZones[i];
        const int byKey = std::strcmp(a.windowsKey, b.windowsKey);
        ASSERT_TRUE(byKey < 0 || (byKey == 0 && std::strcmp(a.territory, b.territory) < 0))
            << b.windowsKey << " " << b.territory;
    }
}

TEST(PlaceFromTimeZone, ALinkWithoutACountryBorrowsItsTargetsPlaceAndSaysSoWhenUsed) {
    sZoneLookup found;
    ASSERT_TRUE(placeOfZoneName("Pacific/Johnston", "", found));
    EXPECT_NEAR(found.place.latitudeDeg, 21.31, 0.01);
    EXPECT_NEAR(found.place.longitudeDeg, -157.86, 0.01);
    ASSERT_NE(found.borrowedFrom, nullptr);
    EXPECT_STREQ(found.borrowedFrom, "Pacific/Honolulu");

    FakeSystem system;
    LogCapture log;
    system.timeZone = "Pacific/Johnston";
    placeFromTimeZone(system, 1'780'000'000);
    EXPECT_TRUE(log.contains("time zone Pacific/Johnston names no country of its own; the place of Pacific/Honolulu"))
        << log.contents();
}

TEST(PlaceFromTimeZone, TheSystemsCountryPicksTheWindowsCityAndTheLogNamesIt) {
    FakeSystem system;
    LogCapture log;
    system.timeZone = "W. Europe Standard Time";
    system.country = "AT";
    const sPlaceChoice choice = placeFromTimeZone(system, 1'780'000'000);
    EXPECT_EQ(choice.source, ePlaceSource::windowsZone);
    EXPECT_NEAR(choice.place.latitudeDeg, 48.22, 0.01);
    EXPECT_TRUE(log.contains("Sky place from the Windows time zone W. Europe Standard Time (AT: Europe/Vienna): "
                             "48.22 N 16.33 E"))
        << log.contents();
}

TEST(PlaceFromTimeZone, AnUnknownZoneFallsBackToItsUtcOffsetAndSaysSo) {
    FakeSystem system;
    LogCapture log;
    system.timeZone = "Mars/Olympus_Mons";
    system.utcOffsetSeconds = -5 * 3600;
    const sPlaceChoice choice = placeFromTimeZone(system, 1'780'000'000);
    EXPECT_EQ(choice.source, ePlaceSource::utcOffset);
    EXPECT_DOUBLE_EQ(choice.place.latitudeDeg, 45.0);
    EXPECT_DOUBLE_EQ(choice.place.longitudeDeg, -75.0);
    EXPECT_TRUE(log.contains("\"Mars/Olympus_Mons\" is not in the tables")) << log.contents();

    // A key whose zone has no city (Etc/GMT+12) is not a place either.
    sZoneLookup found;
    EXPECT_FALSE(placeOfZoneName("Dateline Standard Time", "", found));

    system.timeZone = "Europe/Berlin";
    placeFromTimeZone(system, 1'780'000'000);
    EXPECT_TRUE(log.contains("Sky place from the time zone Europe/Berlin: 52.50 N 13.37 E")) << log.contents();
}

TEST(PlaceFromTimeZone, SummerTimeInJanuaryMeansTheSouthernHemisphere) {
    EXPECT_DOUBLE_EQ(placeOfUtcOffset(10 * 3600, true).latitudeDeg, -45.0);
    EXPECT_DOUBLE_EQ(placeOfUtcOffset(10 * 3600, true).longitudeDeg, 150.0);
    EXPECT_DOUBLE_EQ(placeOfUtcOffset(14 * 3600, false).longitudeDeg, 180.0);
}

}  // namespace
