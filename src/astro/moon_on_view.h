// Where the moon stands on a view and which way its lit side faces there.
// The bright limb's angle is measured from the zenith; on the view "up" at
// the moon's place leans toward the edges, so the angle is turned by that
// lean, found from where a point a little higher lands.
#pragma once

#include "astro/lunar_eclipse.h"
#include "astro/sky_frame.h"
#include "astro/sky_projection.h"

struct sSkySnapshot;

struct sMoonOnView {
    bool onView = false;  // above the horizon and within the view
    float x = 0.0f;       // the disc's centre, in view pixels
    float y = 0.0f;
    // Degrees counterclockwise from the view's up: 0 lit on top, 90 on the left, 270 on the right.
    float brightLimbDeg = 0.0f;
    // The earth's shadow on it; the shadow's centre lies opposite the bright limb.
    sLunarEclipse eclipse;
};

sMoonOnView moonOnView(const sSkyProjection& projection, const sSkySnapshot& sky);
