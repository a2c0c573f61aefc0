#include "app/linux/moment_and_place.h"

#include "settings/coordinates.h"

#include <cstdlib>

namespace {

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

bool parsePlace(const std::string& text, sPlace& place) {
    const std::size_t comma = text.find(',');
    if (comma == std::string::npos) return false;
    sPlace parsed;
    if (!parseLatitude(text.substr(0, comma), keslDecimalMark::point, parsed.latitudeDeg) ||
        !parseLongitude(text.substr(comma + 1), keslDecimalMark::point, parsed.longitudeDeg))
        return false;
    place = parsed;
    return true;
}
