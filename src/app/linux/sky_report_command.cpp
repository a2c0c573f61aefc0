#include "app/linux/sky_report_command.h"

#include "astro/place_from_time_zone.h"
#include "astro/sky_report.h"
#include "astro/solar_system.h"
#include "system/system_services.h"
#include "util/log.h"

#include <cstdio>

int runSkyReport(const orvanelLinuxOptions& options) {
    const keslSystem& system = keslSystemServices();
    const double at = options.atGiven ? options.atUnixSeconds : static_cast<double>(system.currentTime());
    // A report is read as the truth: no planets from elements that do not hold.
    if (!planetElementsHoldAt(at)) {
        std::fprintf(stderr, "orvanel: %s wants a moment from %d to %d, the years the planets' elements hold\n",
                     options.atGiven ? "--at" : "--sky-report (with the system's clock)", kPlanetElementsFirstYear,
                     kPlanetElementsLastYear);
        return kExitBadArguments;
    }
    sPlaceChoice choice;
    if (options.placeGiven) {
        choice.place = options.place;
        choice.source = ePlaceSource::settings;
        logInfo("Sky place from the command line: %s", describePlaceChoice(choice).c_str());
    } else {
        choice = placeFromTimeZone(system, static_cast<std::time_t>(at));
    }
    sSkyProjection projection;
    if (options.sizeGiven) projection = makeSkyProjection(options.width, options.height, choice.place.latitudeDeg);
    const std::string json = skyReportJson(at, choice.place, options.sizeGiven ? &projection : nullptr);
    std::fputs(json.c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : kExitCannotRun;
}
