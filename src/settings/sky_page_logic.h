// The Sky page's rules: whether the place the user typed is a place on
// Earth, and how it is kept. Latitude and longitude go together: both
// typed, or both empty to take the place from the time zone.
#pragma once

#include "settings/app_settings.h"
#include "settings/coordinates.h"

#include <string>

enum class keslSkyPlaceProblem { none, latitude, longitude, onlyOne };

struct keslSkyPlaceCheck {
    keslSkyPlaceProblem problem = keslSkyPlaceProblem::none;
    // The values as they are kept: trimmed, with a decimal point; both empty for the time zone's place.
    std::string latitude;
    std::string longitude;
};

keslSkyPlaceCheck checkSkyPlace(const std::string& latitude, const std::string& longitude);

// What to tell the user about a problem: a translation key and the English text.
struct keslSkyPlaceMessage {
    const char* key;
    const char* english;
};
keslSkyPlaceMessage skyPlaceMessage(keslSkyPlaceProblem problem);

// The place a stored pair stands for; false when the time zone should decide
// (both empty, or a pair a hand-edited file made unreadable).
bool storedSkyPlace(const cSkySettings& sky, double& latitude, double& longitude);
