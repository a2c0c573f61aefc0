// Where the user probably is, without asking: the principal city of the
// system's time zone (tzdata's table), reached from a Windows time-zone key
// through CLDR's mapping; when the zone is unknown, the UTC offset read as
// 15 deg of longitude an hour at latitude 45 deg, south when the clock says
// summer in January. Good to a few hundred kilometres, which moves the sky
// by a few degrees: the right constellations, the moon and planets in place.
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
};

struct sWindowsZone {
    const char* windowsKey;  // e.g. "W. Europe Standard Time"
    const char* ianaZone;
};

struct sZoneTables {
    const sZonePlace* places;  // sorted by zone
    std::size_t placeCount;
    const sWindowsZone* windowsZones;  // sorted by key
    std::size_t windowsZoneCount;
};

const sZoneTables& builtInZoneTables();

constexpr double kFallbackLatitudeDeg = 45.0;
constexpr double kDegreesPerUtcHour = 15.0;

enum class ePlaceSource { settings, ianaZone, windowsZone, utcOffset };

struct sPlaceChoice {
    sPlace place;
    ePlaceSource source = ePlaceSource::utcOffset;
    std::string zone;  // the zone name the system gave, possibly empty
};

// The place of an IANA zone name or of a Windows time-zone key; false when
// the tables do not know it.
bool placeOfZoneName(const std::string& zone, sPlace& place, ePlaceSource& source,
                     const sZoneTables& tables = builtInZoneTables());

// The last resort: standard offset east of UTC in seconds, and whether the
// zone's summer falls in January.
sPlace placeOfUtcOffset(long standardOffsetSeconds, bool southern);

// The place for the system in force: its time-zone name through the tables,
// else its UTC offset around moment now. Logs which source it used.
sPlaceChoice placeFromTimeZone(const keslSystem& system, std::time_t now);

// Describes the choice for the log, e.g. "time zone Europe/Berlin: 52.50 N 13.37 E".
std::string describePlaceChoice(const sPlaceChoice& choice);
