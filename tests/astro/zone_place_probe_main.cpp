// Asks the program where each time zone named on standard input puts the
// user, the way a run does (TZ set to the name, the POSIX system asked), and
// prints "name latitude longitude source" lines for check_zone_places.py.
#include "astro/place_from_time_zone.h"
#include "system/system_services.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <string>

namespace {
const char* sourceName(ePlaceSource source) {
    switch (source) {
        case ePlaceSource::ianaZone: return "zone";
        case ePlaceSource::windowsZone: return "windows";
        case ePlaceSource::settings: return "settings";
        case ePlaceSource::utcOffset: break;
    }
    return "offset";
}
}  // namespace

int main() {
    const keslSystem& system = keslSystemServices();
    const std::time_t now = system.currentTime();
    std::string zone;
    while (std::getline(std::cin, zone)) {
        if (zone.empty()) continue;
        setenv("TZ", zone.c_str(), 1);
        tzset();
        const sPlaceChoice choice = placeFromTimeZone(system, now);
        std::printf("%s %.4f %.4f %s\n", zone.c_str(), choice.place.latitudeDeg, choice.place.longitudeDeg,
                    sourceName(choice.source));
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
