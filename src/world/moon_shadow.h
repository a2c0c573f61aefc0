// The earth's shadow painted on the moon's picture during an eclipse: in
// the penumbra the moon greys as it loses the sun's disc; in the umbra it
// turns dark copper from the sunsets round the earth, darkest at the
// centre. The light is the astronomy's; this turns it into colour, with a
// screen's gamma so a penumbra that dims the light by half looks like it.
#pragma once

#include "astro/moon_on_view.h"
#include "platform/color.h"

struct sMoonShadow {
    bool on = false;
    // The shadow's centre from the moon's, in the moon's radii: x right, y down the view.
    float x = 0.0f;
    float y = 0.0f;
    sLunarEclipse eclipse;
};

// Where the shadow falls on a moon on the view: opposite its bright limb.
sMoonShadow moonShadowOf(const sMoonOnView& moon);
// Whether two shadows differ enough to paint the picture again.
bool shadowMoved(const sMoonShadow& a, const sMoonShadow& b);
// A pixel of the lit moon at (x, y) moon radii from its centre (y down), under the shadow.
keslColor shadowed(keslColor pixel, const sMoonShadow& shadow, float x, float y);
