// How light the sky is for the sun's altitude: night, the three twilights
// and day, by the usual limits of the sun's centre (-18, -12 and -6 deg,
// and -0.8 deg where its upper edge clears the horizon through the air), and
// the faintest magnitude an eye still sees overhead. The limits follow the
// naked-eye values of a clear country sky: 6.5 at night, about 4.5 at the
// end of nautical twilight, first-magnitude stars in civil twilight, only
// Venus (and the moon) by day.
#pragma once

enum class eSkyPhase { night, astronomicalTwilight, nauticalTwilight, civilTwilight, day };

// The sun's true (unrefracted) altitude where each lighter phase begins.
constexpr double kAstronomicalTwilightDeg = -18.0;
constexpr double kNauticalTwilightDeg = -12.0;
constexpr double kCivilTwilightDeg = -6.0;
constexpr double kDaySunAltitudeDeg = -0.8;

eSkyPhase skyPhaseOf(double sunAltDeg);
// "night", "astronomical twilight", "nautical twilight", "civil twilight", "day".
const char* skyPhaseName(eSkyPhase phase);
// The faintest magnitude seen overhead with the sun at this altitude.
double limitingMagnitude(double sunAltDeg);

struct sSkyLight {
    eSkyPhase phase = eSkyPhase::night;
    double sunAltDeg = -90.0;  // true altitude
    double sunAzDeg = 0.0;
    double limitingMag = 6.5;
};

sSkyLight skyLightOf(double sunAltDeg, double sunAzDeg);
