// The constellation figures' lines on the real sky's view, from every star's
// place: a line stops short of its stars so they stand free, and a line with
// both stars below the horizon, or far off the view, is left out.
#pragma once

#include "astro/sky_projection.h"
#include "astro/star_catalogue.h"
#include "astro/star_positions.h"
#include "world/real_sky_layer.h"

#include <vector>

// Lines stop this many pixels short of their stars.
inline constexpr float kRealSkyLineGap = 5.0f;

// Replaces lines with the catalogue's figure segments between the stars at these places.
void collectRealSkyLines(const sSkyProjection& projection, const sStarCatalogue& catalogue,
                         const std::vector<sStarPlace>& places, std::vector<cRealSkyLayer::sLine>& lines);
