// The sky of one moment and place as JSON, for a person or a check to read:
// the sun, the moon, every planet, every catalogue star brighter than
// magnitude 2, each constellation where its name stands, every deep-sky
// object the real sky draws (with its size) and each meteor shower within
// its activity period (at its radiant, with its rate), each with its apparent
// right ascension, declination, altitude (refraction included), azimuth and
// magnitude in degrees; with a view size, also the pixel where the view's
// projection puts the objects on it.
#pragma once

#include "astro/sky_frame.h"
#include "astro/sky_projection.h"

#include <string>

constexpr float kSkyReportMagnitudeLimit = 2.0f;

// projection may be null: no pixel positions then.
std::string skyReportJson(double unixSeconds, const sPlace& place, const sSkyProjection* projection);
