#include "astro/solar_system.h"

#include <cmath>

namespace {
constexpr double kLightAuPerDay = 173.1446327;
constexpr double kObliquityJ2000Deg = 23.43928;
constexpr double kSunMagnitude = -26.74;

// a (au), e, I, L, long. perihelion, long. node (deg), each with its rate per century.
struct sElements {
    double a, e, i, l, perihelion, node;
    double da, de, di, dl, dPerihelion, dNode;
};

// Index by eSolarBody; the sun's row holds the Earth-Moon barycentre.
const sElements kElements[kSolarBodyCount] = {
    {1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193, 0.0,
     0.00000562, -0.00004392, -0.01294668, 35999.37244981, 0.32327364, 0.0},
    {},
    {0.38709927, 0.20563593, 7.00497902, 252.25032350, 77.45779628, 48.33076593,
     0.00000037, 0.00001906, -0.00594749, 149472.67411175, 0.16047689, -0.12534081},
    {0.72333566, 0.00677672, 3.39467605, 181.97909950, 131.60246718, 76.67984255,
     0.00000390, -0.00004107, -0.00078890, 58517.81538729, 0.00268329, -0.27769418},
    {1.52371034, 0.09339410, 1.84969142, -4.55343205, -23.94362959, 49.55953891,
     0.00001847, 0.00007882, -0.00813131, 19140.30268499, 0.44441088, -0.29257343},
    {5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983, 100.47390909,
     -0.00011607, -0.00013253, -0.00183714, 3034.74612775, 0.21252668, 0.20469106},
    {9.53667594, 0.05386179, 2.48599187, 49.95424423, 92.59887831, 113.66242448,
     -0.00125060, -0.00050991, 0.00193609, 1222.49362201, -0.41897216, -0.28867794},
    {19.18916464, 0.04725744, 0.77263783, 313.23810451, 170.95427630, 74.01692503,
     -0.00196176, -0.00004397, -0.00242939, 428.48202785, 0.40805281, 0.04240589},
    {30.06992276, 0.00859048, 1.77004347, -55.12002969, 44.96476227, 131.78422574,
     0.00026291, 0.00005105, 0.00035372, 218.45945325, -0.32241464, -0.01262724},
};

std::size_t indexOf(eSolarBody body) { return static_cast<std::size_t>(body); }

double sinDeg(double d) { return std::sin(d * kDegToRad); }
double cosDeg(double d) { return std::cos(d * kDegToRad); }

// Heliocentric position in au, ecliptic and equinox of J2000.
sVec3 heliocentric(eSolarBody body, double t) {
    const sElements& el = kElements[indexOf(body)];
    const double a = el.a + el.da * t;
    const double e = el.e + el.de * t;
    const double inc = el.i + el.di * t;
    const double meanLongitude = el.l + el.dl * t;
    const double perihelion = el.perihelion + el.dPerihelion * t;
    const double node = el.node + el.dNode * t;
    const double argument = perihelion - node;
    double anomaly = std::remainder(meanLongitude - perihelion, 360.0) * kDegToRad;
    double eccentric = anomaly + e * std::sin(anomaly);
    for (int i = 0; i < 8; ++i) {
        const double step = (eccentric - e * std::sin(eccentric) - anomaly) / (1.0 - e * std::cos(eccentric));
        eccentric -= step;
        if (std::fabs(step) < 1e-12) break;
    }
    const double xp = a * (std::cos(eccentric) - e);
    const double yp = a * std::sqrt(1.0 - e * e) * std::sin(eccentric);
    const double cw = cosDeg(argument), sw = sinDeg(argument);
    const double cn = cosDeg(node), sn = sinDeg(node);
    const double ci = cosDeg(inc), si = sinDeg(inc);
    return {(cw * cn - sw * sn * ci) * xp + (-sw * cn - cw * sn * ci) * yp,
            (cw * sn + sw * cn * ci) * xp + (-sw * sn + cw * cn * ci) * yp, (sw * si) * xp + (cw * si) * yp};
}

double log10Of(double v) { return std::log10(v); }

double phaseAngleDeg(double r, double delta, double earthSun) {
    const double c = (r * r + delta * delta - earthSun * earthSun) / (2.0 * r * delta);
    return std::acos(std::fmax(-1.0, std::fmin(1.0, c))) * kRadToDeg;
}

// Saturn's rings add light as they open toward us (Meeus ch. 45 and 41).
double saturnRingTerm(const sVec3& helioEcl, const sVec3& geoEcl, double t) {
    const double inc = 28.075216 - 0.012998 * t + 0.000004 * t * t;
    const double node = 169.508470 + 1.394681 * t + 0.000412 * t * t;
    double lambda, beta, l, b;
    anglesOf(geoEcl, lambda, beta);
    anglesOf(helioEcl, l, b);
    const double sinB = sinDeg(inc) * cosDeg(beta) * sinDeg(lambda - node) - cosDeg(inc) * sinDeg(beta);
    const auto saturnicentricLongitude = [&](double lon, double lat) {
        return std::atan2(sinDeg(inc) * sinDeg(lat) + cosDeg(inc) * cosDeg(lat) * sinDeg(lon - node),
                          cosDeg(lat) * cosDeg(lon - node)) * kRadToDeg;
    };
    const double deltaU = std::fabs(std::remainder(saturnicentricLongitude(l, b) - saturnicentricLongitude(lambda, beta), 360.0));
    return 0.044 * deltaU - 2.60 * std::fabs(sinB) + 1.25 * sinB * sinB;
}

double planetMagnitude(eSolarBody body, double r, double delta, double i) {
    const double distance = 5.0 * log10Of(r * delta);
    switch (body) {
        case eSolarBody::mercury: return -0.42 + distance + 0.0380 * i - 0.000273 * i * i + 0.000002 * i * i * i;
        case eSolarBody::venus: return -4.40 + distance + 0.0009 * i + 0.000239 * i * i - 0.00000065 * i * i * i;
        case eSolarBody::mars: return -1.52 + distance + 0.016 * i;
        case eSolarBody::jupiter: return -9.40 + distance + 0.005 * i;
        case eSolarBody::saturn: return -8.88 + distance;
        case eSolarBody::uranus: return -7.19 + distance;
        case eSolarBody::neptune: return -6.87 + distance;
        default: return 0.0;
    }
}

// The apparent place of a J2000 equatorial direction (aberration applied) into the result.
void placeFromJ2000(const sVec3& directionJ2000, const sSkyFrame& frame, sBodyPosition& out) {
    const sVec3 seen = directionJ2000 + frame.aberrationJ2000;
    const sVec3 unit = (1.0 / length(seen)) * seen;
    anglesOf(frame.j2000ToTrueOfDate * unit, out.raDeg, out.decDeg);
    out.horizonDirection = frame.j2000ToHorizon * unit;
    out.horizontal = horizontalOf(out.horizonDirection);
}

sBodyPosition sunPosition(const sSkyFrame& frame) {
    const double t = frame.time.centuriesTt;
    const sVec3 earth = heliocentric(eSolarBody::sun, t);
    sBodyPosition out;
    out.body = eSolarBody::sun;
    out.distanceAu = length(earth);
    out.phaseAngleDeg = 0.0;
    out.mag = kSunMagnitude;
    placeFromJ2000(eclipticToEquatorial(kObliquityJ2000Deg) * (-1.0 * earth), frame, out);
    return out;
}

sBodyPosition planetPosition(eSolarBody body, const sSkyFrame& frame) {
    const double t = frame.time.centuriesTt;
    const sVec3 earth = heliocentric(eSolarBody::sun, t);
    sVec3 planet = heliocentric(body, t);
    sVec3 geo = planet - earth;
    // The light we see left the planet a little earlier.
    for (int i = 0; i < 2; ++i) {
        const double lightDays = length(geo) / kLightAuPerDay;
        planet = heliocentric(body, t - lightDays / kDaysPerJulianCentury);
        geo = planet - earth;
    }
    sBodyPosition out;
    out.body = body;
    out.distanceAu = length(geo);
    const double r = length(planet);
    out.phaseAngleDeg = phaseAngleDeg(r, out.distanceAu, length(earth));
    out.illuminatedFraction = (1.0 + cosDeg(out.phaseAngleDeg)) / 2.0;
    out.mag = planetMagnitude(body, r, out.distanceAu, out.phaseAngleDeg);
    if (body == eSolarBody::saturn) out.mag += saturnRingTerm(planet, geo, t);
    placeFromJ2000(eclipticToEquatorial(kObliquityJ2000Deg) * geo, frame, out);
    return out;
}

struct sLunarTerm {
    signed char d, m, mp, f;
    double coefficient;
};

// Meeus table 47.A (longitude, 1e-6 deg) and the distance column (1e-3 km), largest terms.
const sLunarTerm kLongitudeTerms[] = {
    {0, 0, 1, 0, 6288774}, {2, 0, -1, 0, 1274027}, {2, 0, 0, 0, 658314}, {0, 0, 2, 0, 213618},
    {0, 1, 0, 0, -185116}, {0, 0, 0, 2, -114332}, {2, 0, -2, 0, 58793}, {2, -1, -1, 0, 57066},
    {2, 0, 1, 0, 53322},   {2, -1, 0, 0, 45758},  {0, 1, -1, 0, -40923}, {1, 0, 0, 0, -34720},
    {0, 1, 1, 0, -30383},  {2, 0, 0, -2, 15327},  {0, 0, 1, 2, -12528}, {0, 0, 1, -2, 10980},
    {4, 0, -1, 0, 10675},  {0, 0, 3, 0, 10034},   {4, 0, -2, 0, 8548},  {2, 1, -1, 0, -7888},
    {2, 1, 0, 0, -6766},   {1, 0, -1, 0, -5163},  {1, 1, 0, 0, 4987},   {2, -1, 1, 0, 4036},
    {2, 0, 2, 0, 3994},    {4, 0, 0, 0, 3861},    {2, 0, -3, 0, 3665},  {0, 1, -2, 0, -2689},
    {2, 0, -1, 2, -2602},  {2, -1, -2, 0, 2390},  {1, 0, 1, 0, -2348},  {2, -2, 0, 0, 2236},
    {0, 1, 2, 0, -2120},   {0, 2, 0, 0, -2069},   {2, -2, -1, 0, 2048}, {2, 0, 1, -2, -1773},
    {2, 0, 0, 2, -1595},   {4, -1, -1, 0, 1215},  {0, 0, 2, 2, -1110},  {3, 0, -1, 0, -892},
    {2, 1, 1, 0, -810},    {4, -1, -2, 0, 759},   {0, 2, -1, 0, -713},  {2, 2, -1, 0, -700},
    {2, 1, -2, 0, 691},    {2, -1, 0, -2, 596},   {4, 0, 1, 0, 549},    {0, 0, 4, 0, 537},
    {4, -1, 0, 0, 520},    {1, 0, -2, 0, -487},
};
const sLunarTerm kDistanceTerms[] = {
    {0, 0, 1, 0, -20905355}, {2, 0, -1, 0, -3699111}, {2, 0, 0, 0, -2955968}, {0, 0, 2, 0, -569925},
    {0, 1, 0, 0, 48888},     {0, 0, 0, 2, -3149},     {2, 0, -2, 0, 246158},  {2, -1, -1, 0, -152138},
    {2, 0, 1, 0, -170733},   {2, -1, 0, 0, -204586},  {0, 1, -1, 0, -129620}, {1, 0, 0, 0, 108743},
    {0, 1, 1, 0, 104755},    {2, 0, 0, -2, 10321},    {0, 0, 1, -2, 79661},   {4, 0, -1, 0, -34782},
    {0, 0, 3, 0, -23210},    {4, 0, -2, 0, -21636},   {2, 1, -1, 0, 24208},   {2, 1, 0, 0, 30824},
    {1, 0, -1, 0, -8379},    {1, 1, 0, 0, -16675},    {2, -1, 1, 0, -12831},  {2, 0, 2, 0, -10445},
    {4, 0, 0, 0, -11650},    {2, 0, -3, 0, 14403},    {0, 1, -2, 0, -7003},   {2, -1, -2, 0, 10056},
    {1, 0, 1, 0, 6322},      {2, -2, 0, 0, -9884},    {0, 1, 2, 0, 5751},     {2, -2, -1, 0, -4950},
    {2, 0, 1, -2, 4130},     {4, -1, -1, 0, -3958},   {3, 0, -1, 0, 3258},    {2, 1, 1, 0, 2616},
    {4, -1, -2, 0, -1897},   {0, 2, -1, 0, -2117},    {2, 2, -1, 0, 2354},    {4, 0, 1, 0, -1423},
    {0, 0, 4, 0, -1117},     {4, -1, 0, 0, -1571},    {1, 0, -2, 0, -1739},
};
// Meeus table 47.B (latitude, 1e-6 deg).
const sLunarTerm kLatitudeTerms[] = {
    {0, 0, 0, 1, 5128122}, {0, 0, 1, 1, 280602}, {0, 0, 1, -1, 277693}, {2, 0, 0, -1, 173237},
    {2, 0, -1, 1, 55413},  {2, 0, -1, -1, 46271}, {2, 0, 0, 1, 32573},  {0, 0, 2, 1, 17198},
    {2, 0, 1, -1, 9266},   {0, 0, 2, -1, 8822},  {2, -1, 0, -1, 8216},  {2, 0, -2, -1, 4324},
    {2, 0, 1, 1, 4200},    {2, 1, 0, -1, -3359}, {2, -1, -1, 1, 2463},  {2, -1, 0, 1, 2211},
    {2, -1, -1, -1, 2065}, {0, 1, -1, -1, -1870}, {4, 0, -1, -1, 1828}, {0, 1, 0, 1, -1794},
    {0, 0, 0, 3, -1749},   {0, 1, -1, 1, -1565}, {1, 0, 0, 1, -1491},   {0, 1, 1, 1, -1475},
    {0, 1, 1, -1, -1410},  {0, 1, 0, -1, -1344}, {1, 0, 0, -1, -1335},  {0, 0, 3, 1, 1107},
    {4, 0, 0, -1, 1021},   {4, 0, -1, 1, 833},
};

template <std::size_t N>
double lunarSeries(const sLunarTerm (&terms)[N], double d, double m, double mp, double f, double e, bool cosine) {
    double sum = 0.0;
    for (const sLunarTerm& term : terms) {
        const double argument = (term.d * d + term.m * m + term.mp * mp + term.f * f) * kDegToRad;
        const double eccentricity = term.m == 0 ? 1.0 : (term.m == 1 || term.m == -1 ? e : e * e);
        sum += term.coefficient * eccentricity * (cosine ? std::cos(argument) : std::sin(argument));
    }
    return sum;
}

}  // namespace

sVec3 moonGeocentricKm(const sSkyFrame& frame) {
    const double t = frame.time.centuriesTt;
    const double t2 = t * t, t3 = t2 * t, t4 = t3 * t;
    const double lp = 218.3164477 + 481267.88123421 * t - 0.0015786 * t2 + t3 / 538841.0 - t4 / 65194000.0;
    const double d = 297.8501921 + 445267.1114034 * t - 0.0018819 * t2 + t3 / 545868.0 - t4 / 113065000.0;
    const double m = 357.5291092 + 35999.0502909 * t - 0.0001536 * t2 + t3 / 24490000.0;
    const double mp = 134.9633964 + 477198.8675055 * t + 0.0087414 * t2 + t3 / 69699.0 - t4 / 14712000.0;
    const double f = 93.2720950 + 483202.0175233 * t - 0.0036539 * t2 - t3 / 3526000.0 + t4 / 863310000.0;
    const double a1 = 119.75 + 131.849 * t, a2 = 53.09 + 479264.290 * t, a3 = 313.45 + 481266.484 * t;
    const double e = 1.0 - 0.002516 * t - 0.0000074 * t2;
    const double sumL = lunarSeries(kLongitudeTerms, d, m, mp, f, e, false) + 3958 * sinDeg(a1) +
                        1962 * sinDeg(lp - f) + 318 * sinDeg(a2);
    const double sumB = lunarSeries(kLatitudeTerms, d, m, mp, f, e, false) - 2235 * sinDeg(lp) + 382 * sinDeg(a3) +
                        175 * sinDeg(a1 - f) + 175 * sinDeg(a1 + f) + 127 * sinDeg(lp - mp) - 115 * sinDeg(lp + mp);
    const double sumR = lunarSeries(kDistanceTerms, d, m, mp, f, e, true);
    const double longitude = lp + sumL / 1e6 + frame.time.nutation.longitudeDeg;
    const double latitude = sumB / 1e6;
    const double distanceKm = 385000.56 + sumR / 1000.0;
    return eclipticToEquatorial(frame.time.trueObliquityDeg) * (distanceKm * unitVectorOf(longitude, latitude));
}

namespace {

sBodyPosition moonPosition(const sSkyFrame& frame) {
    const sVec3 geocentric = moonGeocentricKm(frame);
    const sVec3 topocentric = geocentric - frame.observerTrueOfDateKm;
    sBodyPosition out;
    out.body = eSolarBody::moon;
    out.distanceAu = length(topocentric) / kAuKm;
    anglesOf(topocentric, out.raDeg, out.decDeg);
    out.horizonDirection = (1.0 / length(topocentric)) * (frame.trueOfDateToHorizon * topocentric);
    out.horizontal = horizontalOf(out.horizonDirection);

    const sBodyPosition sun = sunPosition(frame);
    const sVec3 sunDirection = unitVectorOf(sun.raDeg, sun.decDeg);
    const double elongation = std::acos(dot(sunDirection, (1.0 / length(geocentric)) * geocentric));
    const double sunKm = sun.distanceAu * kAuKm;
    out.phaseAngleDeg =
        std::atan2(sunKm * std::sin(elongation), length(geocentric) - sunKm * std::cos(elongation)) * kRadToDeg;
    out.illuminatedFraction = (1.0 + cosDeg(out.phaseAngleDeg)) / 2.0;
    const double i = out.phaseAngleDeg;
    out.mag = -12.73 + 0.026 * i + 4e-9 * i * i * i * i;
    return out;
}
}  // namespace

bool planetElementsHoldAt(double unixSeconds) {
    // 1800-01-01T00:00:00Z and 2051-01-01T00:00:00Z.
    constexpr double kFirstSecond = -5364662400.0;
    constexpr double kEndSecond = 2556144000.0;
    return unixSeconds >= kFirstSecond && unixSeconds < kEndSecond;
}

const char* solarBodyName(eSolarBody body) {
    static const char* const names[kSolarBodyCount] = {"Sun",     "Moon",   "Mercury", "Venus",  "Mars",
                                                       "Jupiter", "Saturn", "Uranus",  "Neptune"};
    return names[indexOf(body)];
}

sBodyPosition solarBodyPosition(eSolarBody body, const sSkyFrame& frame) {
    sBodyPosition out;
    switch (body) {
        case eSolarBody::sun: out = sunPosition(frame); break;
        case eSolarBody::moon: out = moonPosition(frame); break;
        default: out = planetPosition(body, frame); break;
    }
    out.apparentAltDeg = out.horizontal.altDeg + refractionDeg(out.horizontal.altDeg);
    return out;
}

sMoonLimb moonBrightLimb(const sBodyPosition& moon, const sBodyPosition& sun, const sSkyFrame& frame) {
    const double dra = sun.raDeg - moon.raDeg;
    sMoonLimb limb;
    limb.positionAngleDeg = normalizedDegrees(
        std::atan2(cosDeg(sun.decDeg) * sinDeg(dra),
                   sinDeg(sun.decDeg) * cosDeg(moon.decDeg) - cosDeg(sun.decDeg) * sinDeg(moon.decDeg) * cosDeg(dra)) *
        kRadToDeg);
    const double hourAngle = frame.localSiderealDeg - moon.raDeg;
    const double parallactic =
        std::atan2(sinDeg(hourAngle), std::tan(frame.place.latitudeDeg * kDegToRad) * cosDeg(moon.decDeg) -
                                          sinDeg(moon.decDeg) * cosDeg(hourAngle)) *
        kRadToDeg;
    limb.fromZenithDeg = normalizedDegrees(limb.positionAngleDeg - parallactic);
    return limb;
}
