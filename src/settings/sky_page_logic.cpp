#include "settings/sky_page_logic.h"

#include <charconv>
#include <cmath>

namespace {

std::string trimmed(const std::string& text) {
    const char* blanks = " \t\r\n";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The form a value is kept in: no blanks, no "+", a decimal point.
std::string keptForm(const std::string& text) {
    std::string kept = trimmed(text);
    if (!kept.empty() && kept[0] == '+') kept.erase(0, 1);
    for (char& c : kept) {
        if (c == ',') c = '.';
    }
    return kept;
}

}  // namespace

bool parseDegrees(const std::string& text, double limit, double& out) {
    const std::string kept = keptForm(text);
    if (kept.empty()) return false;
    // Digits, one sign and one point only: no exponents, no "inf" or "nan".
    for (char c : kept) {
        if ((c < '0' || c > '9') && c != '.' && c != '-') return false;
    }
    double value = 0.0;
    const char* end = kept.data() + kept.size();
    const std::from_chars_result read = std::from_chars(kept.data(), end, value);
    if (read.ec != std::errc() || read.ptr != end || !std::isfinite(value)) return false;
    if (value < -limit || value > limit) return false;
    out = value;
    return true;
}

keslSkyPlaceCheck checkSkyPlace(const std::string& latitude, const std::string& longitude) {
    keslSkyPlaceCheck check;
    const std::string lat = keptForm(latitude);
    const std::string lon = keptForm(longitude);
    if (lat.empty() && lon.empty()) return check;
    double ignored = 0.0;
    if (!lat.empty() && !parseDegrees(lat, kMaxLatitudeDegrees, ignored)) {
        check.problem = keslSkyPlaceProblem::latitude;
    } else if (!lon.empty() && !parseDegrees(lon, kMaxLongitudeDegrees, ignored)) {
        check.problem = keslSkyPlaceProblem::longitude;
    } else if (lat.empty() || lon.empty()) {
        check.problem = keslSkyPlaceProblem::onlyOne;
    } else {
        check.latitude = lat;
        check.longitude = lon;
    }
    return check;
}

keslSkyPlaceMessage skyPlaceMessage(keslSkyPlaceProblem problem) {
    switch (problem) {
        case keslSkyPlaceProblem::latitude:
            return {"trn.The latitude must be a number from -90 to 90",
                    "The latitude must be a number of degrees from -90 to 90 (north is positive), such as 52.5."};
        case keslSkyPlaceProblem::longitude:
            return {"trn.The longitude must be a number from -180 to 180",
                    "The longitude must be a number of degrees from -180 to 180 (east is positive), such as 13.4."};
        case keslSkyPlaceProblem::onlyOne:
            return {"trn.Enter both latitude and longitude",
                    "Enter both the latitude and the longitude, or leave both empty to take your place from your time "
                    "zone."};
        case keslSkyPlaceProblem::none: break;
    }
    return {"", ""};
}

bool storedSkyPlace(const cSkySettings& sky, double& latitude, double& longitude) {
    const keslSkyPlaceCheck check = checkSkyPlace(sky.latitude.get(), sky.longitude.get());
    if (check.problem != keslSkyPlaceProblem::none || check.latitude.empty()) return false;
    return parseDegrees(check.latitude, kMaxLatitudeDegrees, latitude) &&
           parseDegrees(check.longitude, kMaxLongitudeDegrees, longitude);
}
