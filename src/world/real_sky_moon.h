// Turns the lit moon picture so its bright side faces the sun as seen from
// the user's place: the picture is lit by phase with the waxing side on the
// right, as from the northern hemisphere, and is turned as a whole, so from
// the southern hemisphere the moon stands upside down, as it does there.
// The turn is redone only when the bright limb has moved a few degrees, or
// the earth's shadow on it has moved on.
// Beside it, the moon's way over a minute: placed exactly at a whole minute
// and at the next, and moved between the two.
#pragma once

#include "astro/moon_on_view.h"
#include "platform/image.h"
#include "world/moon_shadow.h"

#include <vector>

class cMoonTurner {
public:
    static constexpr float kTurnStepDeg = 2.0f;

    // Keeps the picture as lit now; litOnRight for a waxing moon.
    void keep(keslImage& image, bool litOnRight);
    // Turns the kept picture so its lit side faces brightLimbDeg
    // (counterclockwise from straight up), under the earth's shadow when
    // there is one; false when nothing had to change.
    bool turn(keslImage& image, float brightLimbDeg, const sMoonShadow& shadow = sMoonShadow());

private:
    std::vector<keslColor> m_lit;
    int m_size = 0;
    keslColor m_key = 0;
    float m_litDeg = 0.0f;
    bool m_turned = false;
    float m_turnedDeg = 0.0f;
    sMoonShadow m_shadow;
};

// Where the moon stands on the view at a whole minute and at the next.
struct sMoonPath {
    sMoonOnView start, end;
};

// Places the moon a share of the way along its path: between two places on
// the view its centre moves straight and its bright limb turns the short way
// round; rising, setting or crossing the view's edge within the minute, it
// stands as at the nearer end.
sMoonOnView placeMoon(const sMoonPath& path, float along);
