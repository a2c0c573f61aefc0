// The whole sky of one moment over one place, worked out in one call: the
// frame that turns catalogue directions to the horizon, the sun, the moon
// with its bright limb and the earth's shadow on it, the planets, how light
// the sky is, and (when a star table is given) the stars. The report prints
// it and the real sky draws it, so both always tell the same sky.
#pragma once

#include "astro/lunar_eclipse.h"
#include "astro/sky_frame.h"
#include "astro/sky_light.h"
#include "astro/solar_system.h"

#include <array>
#include <cstdint>
#include <vector>

class cStarPositions;

struct sSkySnapshot {
    sSkyFrame frame;
    std::array<sBodyPosition, kSolarBodyCount> bodies{};  // by eSolarBody
    sMoonLimb moonLimb;
    sLunarEclipse eclipse;
    sSkyLight light;

    const sBodyPosition& body(eSolarBody which) const { return bodies[static_cast<std::size_t>(which)]; }
    const sBodyPosition& sun() const { return body(eSolarBody::sun); }
    const sBodyPosition& moon() const { return body(eSolarBody::moon); }
};

// The moon's magnitude there includes the shadow's dimming. With stars, they
// are placed too: all of them, or only the listed catalogue indices (the
// others keep their last places).
sSkySnapshot skySnapshotAt(double unixSeconds, const sPlace& place, cStarPositions* stars = nullptr,
                           const std::vector<std::uint32_t>* onlyStars = nullptr);
