#include "astro/sky_report.h"

#include "astro/deep_sky_positions.h"
#include "astro/meteor_showers.h"
#include "astro/sky_snapshot.h"
#include "astro/solar_system.h"
#include "astro/star_positions.h"

#include <cmath>
#include <cstdio>

namespace {
// JSON strings of the catalogue are UTF-8 names without quotes or controls;
// escape anyway, so a future name cannot break the document.
std::string jsonString(const char* text) {
    std::string out = "\"";
    for (const char* c = text; *c; ++c) {
        const unsigned char u = static_cast<unsigned char>(*c);
        if (u == '"' || u == '\\') {
            out += '\\';
            out += *c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += *c;
        }
    }
    return out + "\"";
}

void appendObject(std::string& json, const char* name, const char* kind, double ra, double dec, double alt, double az,
                  double mag, const sSkyProjection* projection, float east, float north, float up,
                  const char* more = "") {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, ", \"kind\": \"%s\", \"ra\": %.4f, \"dec\": %.4f, \"alt\": %.4f, \"az\": %.4f, \"mag\": %.2f",
                  kind, ra, dec, alt, az, mag);
    json += json.size() > 2 ? ",\n  {\"name\": " : "  {\"name\": ";
    json += jsonString(name);
    json += buffer;
    json += more;
    float x = 0.0f, y = 0.0f;
    if (projection && projectDirection(*projection, east, north, up, x, y) && isOnView(*projection, x, y)) {
        std::snprintf(buffer, sizeof buffer, ", \"x\": %.1f, \"y\": %.1f", x, y);
        json += buffer;
    }
    json += "}";
}
// Each constellation where its name stands, with its figure's brightest star's magnitude.
void appendConstellations(std::string& json, const sStarCatalogue& catalogue, const sSkyFrame& frame,
                          const sSkyProjection* projection) {
    for (std::size_t i = 0; i < catalogue.constellationCount; ++i) {
        const sCatalogueConstellation& c = catalogue.constellations[i];
        double ra = 0.0, dec = 0.0;
        anglesOf(frame.j2000ToTrueOfDate * (unitVectorOf(c.raDeg, c.decDeg) + frame.aberrationJ2000), ra, dec);
        const sStarPlace place = apparentPlaceOf(frame, c.raDeg, c.decDeg);
        appendObject(json, c.name, "constellation", ra, dec, place.altitudeDeg(), place.azimuthDeg(), c.brightestMag,
                     projection, place.east, place.north, place.up);
    }
}

// Every deep-sky object of the built-in table, with its size (major, minor axis) in arcminutes and its finer class.
void appendDeepSkyObjects(std::string& json, const sSkyFrame& frame, const sSkyProjection* projection) {
    cDeepSkyPositions positions;
    positions.compute(frame);
    const sDeepSkyCatalogue& catalogue = positions.catalogue();
    for (std::size_t i = 0; i < catalogue.count; ++i) {
        const sDeepSkyObject& object = catalogue.objects[i];
        const sStarPlace& place = positions.centre(i);
        // Of date as the stars': J2000 and the aberration, turned to the equator of date.
        double ra = 0.0, dec = 0.0;
        anglesOf(frame.j2000ToTrueOfDate * (unitVectorOf(object.raDeg, object.decDeg) + frame.aberrationJ2000), ra, dec);
        std::string more = ", \"designation\": " + jsonString(object.designation) +
                           ", \"class\": " + jsonString(deepSkyClassName(object.kind));
        char size[64];
        std::snprintf(size, sizeof size, ", \"size\": [%.1f, %.1f]", object.majorArcmin, object.minorArcmin);
        more += size;
        appendObject(json, object.displayName(), deepSkyGroupName(object.kind), ra, dec, place.altitudeDeg(),
                     place.azimuthDeg(), object.mag, projection, place.east, place.north, place.up, more.c_str());
    }
}

// Each shower within its activity period, at its radiant; its mag is the
// limiting magnitude the hourly rate is counted for.
void appendShowers(std::string& json, const sSkySnapshot& sky, const sSkyProjection* projection) {
    const double lambda = solarLongitudeJ2000Deg(sky.frame, sky.sun());
    const double limit = sky.light.limitingMag;
    for (const sShowerSky& shower : showerSkyAt(sky.frame, lambda, limit)) {
        if (!isShowerActive(*shower.shower, lambda)) continue;
        char more[160];
        std::snprintf(more, sizeof more, ", \"zhr\": %.2f, \"hourlyRate\": %.2f, \"solarLongitude\": %.3f", shower.zhr,
                      shower.hourlyRate, lambda);
        appendObject(json, shower.shower->name, "shower", shower.raDeg, shower.decDeg, shower.altDeg, shower.azDeg, limit,
                     projection, static_cast<float>(shower.radiant.x), static_cast<float>(shower.radiant.y),
                     static_cast<float>(shower.radiant.z), more);
    }
}
}  // namespace

std::string skyReportJson(double unixSeconds, const sPlace& place, const sSkyProjection* projection) {
    cStarPositions stars;
    const sSkySnapshot sky = skySnapshotAt(unixSeconds, place, &stars);
    const sSkyFrame& frame = sky.frame;
    std::string json = "[\n";
    for (eSolarBody body : kSolarBodies) {
        const sBodyPosition& p = sky.body(body);
        const char* kind = body == eSolarBody::sun ? "sun" : body == eSolarBody::moon ? "moon" : "planet";
        char more[128] = "";
        if (body == eSolarBody::sun) {
            std::snprintf(more, sizeof more, ", \"phase\": \"%s\", \"limitingMag\": %.2f", skyPhaseName(sky.light.phase),
                          sky.light.limitingMag);
        } else if (body == eSolarBody::moon) {
            std::snprintf(more, sizeof more, ", \"eclipse\": \"%s\", \"eclipseMag\": %.3f",
                          eclipseStateName(sky.eclipse.state), eclipseMagnitudeOf(sky.eclipse));
        }
        const sVec3 seen = unitVectorOf(90.0 - p.horizontal.azDeg, p.apparentAltDeg);
        appendObject(json, solarBodyName(body), kind, p.raDeg, p.decDeg, p.apparentAltDeg, p.horizontal.azDeg, p.mag,
                     projection, static_cast<float>(seen.x), static_cast<float>(seen.y), static_cast<float>(seen.z), more);
    }
    const sStarCatalogue& catalogue = stars.catalogue();
    const std::size_t bright = catalogue.countBrighterThan(kSkyReportMagnitudeLimit);
    const sMat3& toDate = frame.j2000ToTrueOfDate;
    for (std::size_t i = 0; i < bright; ++i) {
        const sCatalogueStar& star = catalogue.stars[i];
        const sStarPlace& place = stars.places()[i];
        double ra = 0.0, dec = 0.0;
        const sVec3 seen = unitVectorOf(star.raDeg, star.decDeg) + frame.aberrationJ2000;
        anglesOf(toDate * seen, ra, dec);
        const char* name = catalogue.nameOf(i);
        char fallback[32];
        if (!name) {
            std::snprintf(fallback, sizeof fallback, "Star %zu", i + 1);
            name = fallback;
        }
        appendObject(json, name, "star", ra, dec, place.altitudeDeg(), place.azimuthDeg(), star.mag, projection, place.east,
                     place.north, place.up);
    }
    appendConstellations(json, catalogue, frame, projection);
    appendDeepSkyObjects(json, frame, projection);
    appendShowers(json, sky, projection);
    return json + "\n]\n";
}
