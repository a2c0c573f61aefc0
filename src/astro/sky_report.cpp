#include "astro/sky_report.h"

#include "astro/solar_system.h"
#include "astro/star_positions.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
bool readNumber(const std::string& text, double& out) {
    if (text.empty() || text.find_first_of(" \t\n") != std::string::npos) return false;
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value)) return false;
    out = value;
    return true;
}

bool readDigits(const std::string& text, std::size_t at, std::size_t count, int& out) {
    if (at + count > text.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

// Days from 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's days_from_civil).
long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int daysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : days[m - 1];
}

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
                  double mag, const sSkyProjection* projection, float east, float north, float up) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, ", \"kind\": \"%s\", \"ra\": %.4f, \"dec\": %.4f, \"alt\": %.4f, \"az\": %.4f, \"mag\": %.2f",
                  kind, ra, dec, alt, az, mag);
    json += json.size() > 2 ? ",\n  {\"name\": " : "  {\"name\": ";
    json += jsonString(name);
    json += buffer;
    float x = 0.0f, y = 0.0f;
    if (projection && projectDirection(*projection, east, north, up, x, y) && isOnView(*projection, x, y)) {
        std::snprintf(buffer, sizeof buffer, ", \"x\": %.1f, \"y\": %.1f", x, y);
        json += buffer;
    }
    json += "}";
}
}  // namespace

bool parseIsoUtc(const std::string& text, double& unixSeconds) {
    int y, mo, d, h, mi, s = 0;
    if (!readDigits(text, 0, 4, y) || text.size() < 16 || text[4] != '-' || !readDigits(text, 5, 2, mo) ||
        text[7] != '-' || !readDigits(text, 8, 2, d) || (text[10] != 'T' && text[10] != 't' && text[10] != ' ') ||
        !readDigits(text, 11, 2, h) || text[13] != ':' || !readDigits(text, 14, 2, mi))
        return false;
    std::size_t at = 16;
    double fraction = 0.0;
    if (at < text.size() && text[at] == ':') {
        if (!readDigits(text, at + 1, 2, s)) return false;
        at += 3;
        if (at < text.size() && text[at] == '.') {
            std::size_t end = at + 1;
            while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
            if (end == at + 1) return false;
            fraction = std::strtod(text.substr(at, end - at).c_str(), nullptr);
            at = end;
        }
    }
    const std::string zone = text.substr(at);
    if (!(zone.empty() || zone == "Z" || zone == "z" || zone == "+00:00")) return false;
    if (mo < 1 || mo > 12 || d < 1 || d > daysInMonth(y, mo) || h > 23 || mi > 59 || s > 59) return false;
    unixSeconds = static_cast<double>(daysFromCivil(y, mo, d)) * 86400.0 + h * 3600.0 + mi * 60.0 + s + fraction;
    return true;
}

bool parseLatitude(const std::string& text, double& degrees) {
    double value = 0.0;
    if (!readNumber(text, value) || value < -90.0 || value > 90.0) return false;
    degrees = value;
    return true;
}

bool parseLongitude(const std::string& text, double& degrees) {
    double value = 0.0;
    if (!readNumber(text, value) || value < -180.0 || value > 180.0) return false;
    degrees = value;
    return true;
}

bool parsePlace(const std::string& text, sPlace& place) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    sPlace parsed;
    if (!parseLatitude(text.substr(0, comma), parsed.latitudeDeg) ||
        !parseLongitude(text.substr(comma + 1), parsed.longitudeDeg))
        return false;
    place = parsed;
    return true;
}

std::string skyReportJson(double unixSeconds, const sPlace& place, const sSkyProjection* projection) {
    const sSkyFrame frame = makeSkyFrame(unixSeconds, place);
    std::string json = "[\n";
    for (eSolarBody body : kSolarBodies) {
        const sBodyPosition p = solarBodyPosition(body, frame);
        const char* kind = body == eSolarBody::sun ? "sun" : body == eSolarBody::moon ? "moon" : "planet";
        const sVec3 seen = unitVectorOf(90.0 - p.horizontal.azDeg, p.apparentAltDeg);
        appendObject(json, solarBodyName(body), kind, p.raDeg, p.decDeg, p.apparentAltDeg, p.horizontal.azDeg, p.mag,
                     projection, static_cast<float>(seen.x), static_cast<float>(seen.y), static_cast<float>(seen.z));
    }
    cStarPositions stars;
    stars.compute(frame);
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
    return json + "\n]\n";
}
