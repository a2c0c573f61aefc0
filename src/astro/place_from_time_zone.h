// Where the user probably is, without asking: the principal city of the
// system's time zone (tzdata's table; an old spelling takes its own
// country's city, not its link target's), reached from a Windows time-zone
// key through CLDR's mapping for the user's country; when the zone is
// unknown, the UTC offset read as 15 deg of longitude an hour at latitude
// 45 deg, south when the clock says summer in January. Good to a few hundred
// kilometres, which moves the sky by a few degrees: the right
// constellations, the moon and planets in place.
#pragma once

#include "astro/sky_frame.h"

#include <cstddef>
#include <ctime>
#include <string>

class keslSystem;

struct sZonePlace {
    const char* zone;  // IANA name
    double latitudeDeg;
    double longitudeDeg;
    // A name whose country no source tells stands at its link target's
    // place: that target; nullptr for a name at its own country's place.
    const char* borrowedFrom;
};

struct sWindowsZone {
    const char* windowsKey;  // e.g. "W. Europe Standard Time"
    const char* territory;   // ISO 3166 code, or "001" for any other country
    const char* ianaZone;
};

struct sZoneTables {
    const sZonePlace* places;  // sorted by zone
    std::size_t placeCount;
    const sWindowsZone* windowsZones;  // sorted by key, then territory
    std::size_t windowsZoneCount;
};

const sZoneTables& builtInZoneTables();

constexpr double kFallbackLatitudeDeg = 45.0;
constexpr double kDegreesPerUtcHour = 15.0;

enum class ePlaceSource { settings, ianaZone, windowsZone, utcOffset };

// What the tables make of a zone name.
struct sZoneLookup {
    sPlace place;
    ePlaceSource source = ePlaceSource::utcOffset;
    std::string ianaZone;                // the entry that answered: a Windows key's city
    const char* borrowedFrom = nullptr;  // see sZonePlace
};

struct sPlaceChoice {
    sPlace place;
    ePlaceSource source = ePlaceSource::utcOffset;
    std::string zone;      // the zone name the system gave, possibly empty
    std::string ianaZone;  // the city a Windows key gave
    std::string country;   // the user's country that chose it, possibly empty
};

// The place of an IANA zone name or of a Windows time-zone key; a key covering
// several countries takes the city of country (ISO 3166 alpha-2, any case),
// and its own when country is empty or not among them. False when the tables
// do not know the name.
bool placeOfZoneName(const std::string& zone, const std::string& country, sZoneLookup& found,
                     const sZoneTables& tables = builtInZoneTables());

// The last resort: standard offset east of UTC in seconds, and whether the
// zone's summer falls in January.
sPlace placeOfUtcOffset(long standardOffsetSeconds, bool southern);

// The place for the system in force: its time-zone name (and for a Windows
// key, the user's country) through the tables, else its UTC offset around
// moment now. Logs which source it used.
sPlaceChoice placeFromTimeZone(const keslSystem& system, std::time_t now);

// Describes the choice for the log, e.g. "time zone Europe/Berlin: 52.50 N 13.37 E"
// or "Windows time zone W. Europe Standard Time (AT: Europe/Vienna): 48.22 N 16.33 E".
std::string describePlaceChoice(const sPlaceChoice& choice);
