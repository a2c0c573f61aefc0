#include "astro/place_from_time_zone.h"

#include "system/locale_territory.h"
#include "system/system_services.h"
#include "util/log.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
// POSIX and zoneinfo spellings name the zone by its path: keep what follows.
constexpr const char* kZoneInfoMarker = "zoneinfo/";
constexpr std::time_t kSecondsPerDay = 86400;
// Two looks at the clock half a year apart see summer and winter time.
constexpr std::time_t kHalfYear = 182 * kSecondsPerDay;
// CLDR's territory for every country a key has no row of its own for.
constexpr const char* kAnyTerritory = "001";

std::string bareZoneName(std::string zone) {
    if (!zone.empty() && zone[0] == ':') zone.erase(0, 1);
    const std::size_t marker = zone.rfind(kZoneInfoMarker);
    if (marker != std::string::npos) zone.erase(0, marker + std::strlen(kZoneInfoMarker));
    return zone;
}

const sZonePlace* findIana(const sZoneTables& tables, const std::string& zone) {
    const sZonePlace* end = tables.places + tables.placeCount;
    const sZonePlace* found = std::lower_bound(tables.places, end, zone, [](const sZonePlace& p, const std::string& z) {
        return std::strcmp(p.zone, z.c_str()) < 0;
    });
    return found != end && zone == found->zone ? found : nullptr;
}

bool windowsRowBefore(const sWindowsZone& row, const std::string& key, const std::string& territory) {
    const int byKey = std::strcmp(row.windowsKey, key.c_str());
    return byKey != 0 ? byKey < 0 : std::strcmp(row.territory, territory.c_str()) < 0;
}

const sWindowsZone* findWindows(const sZoneTables& tables, const std::string& key, const std::string& territory) {
    const sWindowsZone* end = tables.windowsZones + tables.windowsZoneCount;
    const sWindowsZone* found = std::lower_bound(tables.windowsZones, end, key,
                                                 [&territory](const sWindowsZone& w, const std::string& k) {
                                                     return windowsRowBefore(w, k, territory);
                                                 });
    return found != end && key == found->windowsKey && territory == found->territory ? found : nullptr;
}

void takeEntry(const sZonePlace& entry, ePlaceSource source, sZoneLookup& found) {
    found.place = {entry.latitudeDeg, entry.longitudeDeg};
    found.source = source;
    found.ianaZone = entry.zone;
    found.borrowedFrom = entry.borrowedFrom;
}

struct sOffsetProbe {
    long offsetSeconds = 0;  // east of UTC
    bool summer = false;
    bool southernSummer = false;  // summer time in October to March
};

bool probeOffset(const keslSystem& system, std::time_t t, sOffsetProbe& probe) {
    std::tm local{};
    if (!system.localTime(t, local)) return false;
    const long utcSecondsOfDay = static_cast<long>(((t % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay);
    // Local minus UTC time of day, wrapped into the offsets that exist.
    long diff = local.tm_hour * 3600L + local.tm_min * 60L + local.tm_sec - utcSecondsOfDay;
    if (diff > 14 * 3600L) diff -= 24 * 3600L;
    if (diff < -12 * 3600L) diff += 24 * 3600L;
    probe.offsetSeconds = diff;
    probe.summer = local.tm_isdst > 0;
    probe.southernSummer = probe.summer && (local.tm_mon >= 9 || local.tm_mon <= 2);
    return true;
}
}  // namespace

bool placeOfZoneName(const std::string& zone, const std::string& country, sZoneLookup& found,
                     const sZoneTables& tables) {
    if (const sZonePlace* iana = findIana(tables, bareZoneName(zone))) {
        takeEntry(*iana, ePlaceSource::ianaZone, found);
        return true;
    }
    // The country's own row first; a row whose city has no place (an Etc/
    // zone) leaves the key's own city to answer.
    const std::string territory = isoCountryCode(country);
    for (const std::string& row : {territory, std::string(kAnyTerritory)}) {
        if (row.empty()) continue;
        const sWindowsZone* windows = findWindows(tables, zone, row);
        if (!windows) continue;
        if (const sZonePlace* iana = findIana(tables, windows->ianaZone)) {
            takeEntry(*iana, ePlaceSource::windowsZone, found);
            return true;
        }
    }
    return false;
}

sPlace placeOfUtcOffset(long standardOffsetSeconds, bool southern) {
    double longitude = standardOffsetSeconds / 3600.0 * kDegreesPerUtcHour;
    longitude = std::max(-180.0, std::min(180.0, longitude));
    return {southern ? -kFallbackLatitudeDeg : kFallbackLatitudeDeg, longitude};
}

sPlaceChoice placeFromTimeZone(const keslSystem& system, std::time_t now) {
    sPlaceChoice choice;
    choice.zone = system.timeZoneName();
    sZoneLookup found;
    const std::string country = choice.zone.empty() ? std::string() : system.userCountry();
    if (!choice.zone.empty() && placeOfZoneName(choice.zone, country, found)) {
        choice.place = found.place;
        choice.source = found.source;
        if (found.source == ePlaceSource::windowsZone) {
            choice.ianaZone = found.ianaZone;
            choice.country = isoCountryCode(country);
        }
        if (found.borrowedFrom) {
            logInfo("Sky place: time zone %s names no country of its own; the place of %s stands in",
                    found.ianaZone.c_str(), found.borrowedFrom);
        }
        logInfo("Sky place from the %s", describePlaceChoice(choice).c_str());
        return choice;
    }
    sOffsetProbe now0, later;
    if (!probeOffset(system, now, now0) || !probeOffset(system, now + kHalfYear, later)) now0 = later = sOffsetProbe{};
    choice.source = ePlaceSource::utcOffset;
    // Summer time is the larger offset; the standard one gives the longitude.
    choice.place = placeOfUtcOffset(std::min(now0.offsetSeconds, later.offsetSeconds),
                                    now0.southernSummer || later.southernSummer);
    if (choice.zone.empty()) {
        logWarning("Sky place: the system names no time zone; from the %s", describePlaceChoice(choice).c_str());
    } else {
        logWarning("Sky place: time zone \"%s\" is not in the tables; from the %s", choice.zone.c_str(),
                   describePlaceChoice(choice).c_str());
    }
    return choice;
}

std::string describePlaceChoice(const sPlaceChoice& choice) {
    const char* source = "settings";
    switch (choice.source) {
        case ePlaceSource::settings: source = "settings"; break;
        case ePlaceSource::ianaZone: source = "time zone"; break;
        case ePlaceSource::windowsZone: source = "Windows time zone"; break;
        case ePlaceSource::utcOffset: source = "UTC offset of the time zone"; break;
    }
    std::string named = choice.source == ePlaceSource::settings ? std::string() : choice.zone;
    if (!choice.ianaZone.empty()) {
        named += " (" + (choice.country.empty() ? std::string() : choice.country + ": ") + choice.ianaZone + ")";
    }
    char text[512];
    const sPlace& p = choice.place;
    std::snprintf(text, sizeof text, "%s%s%s: %.2f %c %.2f %c", source, named.empty() ? "" : " ", named.c_str(),
                  std::fabs(p.latitudeDeg), p.latitudeDeg < 0 ? 'S' : 'N', std::fabs(p.longitudeDeg),
                  p.longitudeDeg < 0 ? 'W' : 'E');
    return text;
}
