#include "astro/sky_light.h"

#include <algorithm>
#include <iterator>

namespace {

struct sLimit {
    double sunAltDeg;
    double magnitude;
};

// Between these the limit runs straight; the sky brightens fastest in the
// nautical and civil twilights, where the first stars of the evening appear.
constexpr sLimit kLimits[] = {
    {-18.0, 6.5}, {-15.0, 5.6}, {-12.0, 4.5}, {-9.0, 3.2}, {-6.0, 1.6},
    {-3.0, 0.0},  {-0.8, -1.5}, {5.0, -3.0},  {20.0, -3.7},
};

}  // namespace

eSkyPhase skyPhaseOf(double sunAltDeg) {
    if (sunAltDeg < kAstronomicalTwilightDeg) return eSkyPhase::night;
    if (sunAltDeg < kNauticalTwilightDeg) return eSkyPhase::astronomicalTwilight;
    if (sunAltDeg < kCivilTwilightDeg) return eSkyPhase::nauticalTwilight;
    if (sunAltDeg < kDaySunAltitudeDeg) return eSkyPhase::civilTwilight;
    return eSkyPhase::day;
}

const char* skyPhaseName(eSkyPhase phase) {
    switch (phase) {
        case eSkyPhase::night: return "night";
        case eSkyPhase::astronomicalTwilight: return "astronomical twilight";
        case eSkyPhase::nauticalTwilight: return "nautical twilight";
        case eSkyPhase::civilTwilight: return "civil twilight";
        case eSkyPhase::day: return "day";
    }
    return "night";
}

double limitingMagnitude(double sunAltDeg) {
    if (sunAltDeg <= kLimits[0].sunAltDeg) return kLimits[0].magnitude;
    const sLimit* last = std::prev(std::end(kLimits));
    if (sunAltDeg >= last->sunAltDeg) return last->magnitude;
    const sLimit* above = std::upper_bound(std::begin(kLimits), std::end(kLimits), sunAltDeg,
                                           [](double alt, const sLimit& limit) { return alt < limit.sunAltDeg; });
    const sLimit* below = above - 1;
    const double share = (sunAltDeg - below->sunAltDeg) / (above->sunAltDeg - below->sunAltDeg);
    return below->magnitude + share * (above->magnitude - below->magnitude);
}

sSkyLight skyLightOf(double sunAltDeg, double sunAzDeg) {
    return {skyPhaseOf(sunAltDeg), sunAltDeg, sunAzDeg, limitingMagnitude(sunAltDeg)};
}
