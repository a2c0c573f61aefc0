// The sky of one moment and place as JSON, for a person or a check to read:
// the sun, the moon, every planet and every catalogue star brighter than
// magnitude 2, each with its apparent right ascension, declination, altitude
// (refraction included), azimuth and magnitude in degrees; with a view size,
// also the pixel where the view's projection puts the objects on it.
#pragma once

#include "astro/sky_frame.h"
#include "astro/sky_projection.h"

#include <string>

constexpr float kSkyReportMagnitudeLimit = 2.0f;

// Parses "2026-03-20T21:30:00Z" (seconds and the Z optional, fractions of a
// second allowed, an explicit "+00:00" accepted); false for anything else,
// including impossible dates.
bool parseIsoUtc(const std::string& text, double& unixSeconds);
// Parses "52.5,13.4" (latitude -90..90, longitude -180..180); false otherwise.
bool parsePlace(const std::string& text, sPlace& place);
// One decimal coordinate, as a settings field holds it ("-33.9"); false when
// it is not a number or lies outside -90..90 (latitude) or -180..180 (longitude).
bool parseLatitude(const std::string& text, double& degrees);
bool parseLongitude(const std::string& text, double& degrees);

// projection may be null: no pixel positions then.
std::string skyReportJson(double unixSeconds, const sPlace& place, const sSkyProjection* projection);
