#include "settings/sky_page_logic.h"

keslSkyPlaceCheck checkSkyPlace(const std::string& latitude, const std::string& longitude) {
    keslSkyPlaceCheck check;
    const std::string lat = keptCoordinate(latitude);
    const std::string lon = keptCoordinate(longitude);
    if (lat.empty() && lon.empty()) return check;
    double ignored = 0.0;
    if (!lat.empty() && !parseLatitude(latitude, keslDecimalMark::pointOrComma, ignored)) {
        check.problem = keslSkyPlaceProblem::latitude;
    } else if (!lon.empty() && !parseLongitude(longitude, keslDecimalMark::pointOrComma, ignored)) {
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
    double lat = 0.0;
    double lon = 0.0;
    if (!parseLatitude(sky.latitude.get(), keslDecimalMark::pointOrComma, lat) ||
        !parseLongitude(sky.longitude.get(), keslDecimalMark::pointOrComma, lon))
        return false;
    latitude = lat;
    longitude = lon;
    return true;
}
