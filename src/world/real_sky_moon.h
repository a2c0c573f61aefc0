// Turns the lit moon picture so its bright side faces the sun as seen from
// the user's place: the picture is lit by phase with the waxing side on the
// right, as from the northern hemisphere, and is turned as a whole, so from
// the southern hemisphere the moon stands upside down, as it does there.
// The turn is redone only when the bright limb has moved a few degrees.
#pragma once

#include "platform/image.h"

#include <vector>

class cMoonTurner {
public:
    static constexpr float kTurnStepDeg = 2.0f;

    // Keeps the picture as lit now; litOnRight for a waxing moon.
    void keep(keslImage& image, bool litOnRight);
    // Turns the kept picture so its lit side faces brightLimbDeg
    // (counterclockwise from straight up); false when nothing had to change.
    bool turn(keslImage& image, float brightLimbDeg);

private:
    std::vector<keslColor> m_lit;
    int m_size = 0;
    keslColor m_key = 0;
    float m_litDeg = 0.0f;
    bool m_turned = false;
    float m_turnedDeg = 0.0f;
};
