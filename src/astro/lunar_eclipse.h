// The earth's shadow on the moon at a moment, from where the sun and the
// moon stand and how far they are: the umbra's and penumbra's radii at the
// moon's distance, from the parallaxes and the sun's semidiameter, enlarged
// by the usual 2 % for the earth's air (Chauvenet's rule, as in Meeus,
// Astronomical Algorithms, ch. 54), and how deep the moon's disc lies in
// them. No list of dates: any eclipse of any year comes out of the geometry.
#pragma once

#include "astro/sky_frame.h"
#include "astro/solar_system.h"

enum class eEclipseState { none, penumbral, partial, total };

struct sLunarEclipse {
    eEclipseState state = eEclipseState::none;
    // The share of the moon's diameter inside the umbra (above 1 when total)
    // and inside the penumbra; negative when it falls short.
    double umbralMagnitude = -1.0;
    double penumbralMagnitude = -1.0;
    // In radii of the moon's disc: the shadow's centre from the moon's, and the shadow's radii.
    double shadowDistance = 100.0;
    double umbraRadius = 0.0;
    double penumbraRadius = 0.0;
    // How much fainter the whole disc is, in magnitudes (0 outside the shadow).
    double dimmingMag = 0.0;
};

// "none", "penumbral", "partial", "total".
const char* eclipseStateName(eEclipseState state);

// The magnitude an eclipse is known by: the umbral one once the umbra
// touches the moon, the penumbral one before (negative outside both).
double eclipseMagnitudeOf(const sLunarEclipse& eclipse);

// For the sun's apparent place and distance (solarBodyPosition) at the frame's moment.
sLunarEclipse lunarEclipseAt(const sSkyFrame& frame, const sBodyPosition& sun);

// The share of full moonlight at a point of the moon this many moon radii
// from the shadow's centre: the part of the sun's disc it still sees in the
// penumbra; in the umbra only the little the earth's air bends into it,
// least at the centre.
double shadowLightAt(const sLunarEclipse& eclipse, double distance);
