#include "astro/sky_frame.h"

#include <cmath>

namespace {
// Earth's equatorial radius and flattening factor (1 - f) of the IAU 1976 ellipsoid.
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kPolarAxisRatio = 0.99664719;
// The constant of aberration, 20.49552", in radians.
constexpr double kAberrationRad = 20.49552 / 3600.0 * kDegToRad;
constexpr double kObliquityJ2000Deg = 23.4392911;

sMat3 rotationAboutZ(double angleDeg) {
    // Turns the axes (not the vector) by angle: the vector's longitude drops by angle.
    const double c = std::cos(angleDeg * kDegToRad), s = std::sin(angleDeg * kDegToRad);
    sMat3 r;
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

sMat3 rotationAboutX(double angleDeg) {
    const double c = std::cos(angleDeg * kDegToRad), s = std::sin(angleDeg * kDegToRad);
    sMat3 r;
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

sMat3 rotationAboutY(double angleDeg) {
    const double c = std::cos(angleDeg * kDegToRad), s = std::sin(angleDeg * kDegToRad);
    sMat3 r;
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

sMat3 nutationMatrix(const sAstroTime& time) {
    return rotationAboutX(-time.trueObliquityDeg) * rotationAboutZ(-time.nutation.longitudeDeg) *
           rotationAboutX(time.meanObliquityDeg);
}

// Equatorial of date to (east, north, up) at a latitude and local sidereal time.
sMat3 equatorialToHorizon(double latitudeDeg, double localSiderealDeg) {
    const sMat3 hourFrame = rotationAboutZ(localSiderealDeg);  // x toward the meridian
    const double sl = std::sin(latitudeDeg * kDegToRad), cl = std::cos(latitudeDeg * kDegToRad);
    sMat3 toHorizon;
    // rows: east = y', north = cos(lat) z' - sin(lat) x', up = cos(lat) x' + sin(lat) z'
    toHorizon.m[0][0] = 0;
    toHorizon.m[0][1] = 1;
    toHorizon.m[0][2] = 0;
    toHorizon.m[1][0] = -sl;
    toHorizon.m[1][1] = 0;
    toHorizon.m[1][2] = cl;
    toHorizon.m[2][0] = cl;
    toHorizon.m[2][1] = 0;
    toHorizon.m[2][2] = sl;
    return toHorizon * hourFrame;
}

sVec3 aberrationOf(double centuriesTt) {
    // The Earth moves 90 deg behind the sun's geometric longitude (Meeus 25.2-25.4).
    const double t = centuriesTt;
    const double meanLongitude = 280.46646 + 36000.76983 * t;
    const double anomaly = (357.52911 + 35999.05029 * t) * kDegToRad;
    const double centre = (1.914602 - 0.004817 * t) * std::sin(anomaly) + 0.019993 * std::sin(2 * anomaly) +
                          0.000289 * std::sin(3 * anomaly);
    const sVec3 velocityEcliptic = kAberrationRad * unitVectorOf(meanLongitude + centre - 90.0, 0.0);
    return eclipticToEquatorial(kObliquityJ2000Deg) * velocityEcliptic;
}

sVec3 observerPosition(const sPlace& place, double localSiderealDeg) {
    const double lat = place.latitudeDeg * kDegToRad;
    const double u = std::atan(kPolarAxisRatio * std::tan(lat));
    const double rhoSin = kPolarAxisRatio * std::sin(u);
    const double rhoCos = std::cos(u);
    const double lst = localSiderealDeg * kDegToRad;
    return {kEarthRadiusKm * rhoCos * std::cos(lst), kEarthRadiusKm * rhoCos * std::sin(lst), kEarthRadiusKm * rhoSin};
}
}  // namespace

sVec3 operator*(const sMat3& a, const sVec3& v) {
    return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z, a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
            a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}

sMat3 operator*(const sMat3& a, const sMat3& b) {
    sMat3 r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j];
    }
    return r;
}

sVec3 operator+(const sVec3& a, const sVec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
sVec3 operator-(const sVec3& a, const sVec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
sVec3 operator*(double s, const sVec3& v) { return {s * v.x, s * v.y, s * v.z}; }
double dot(const sVec3& a, const sVec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
double length(const sVec3& v) { return std::sqrt(dot(v, v)); }

sVec3 unitVectorOf(double lonDeg, double latDeg) {
    const double lon = lonDeg * kDegToRad, lat = latDeg * kDegToRad;
    return {std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

void anglesOf(const sVec3& v, double& lonDeg, double& latDeg) {
    lonDeg = normalizedDegrees(std::atan2(v.y, v.x) * kRadToDeg);
    latDeg = std::atan2(v.z, std::hypot(v.x, v.y)) * kRadToDeg;
}

sMat3 eclipticToEquatorial(double obliquityDeg) { return rotationAboutX(-obliquityDeg); }

sMat3 precessionFromJ2000(double t) {
    const double zeta = (2306.2181 * t + 0.30188 * t * t + 0.017998 * t * t * t) / 3600.0;
    const double z = (2306.2181 * t + 1.09468 * t * t + 0.018203 * t * t * t) / 3600.0;
    const double theta = (2004.3109 * t - 0.42665 * t * t - 0.041833 * t * t * t) / 3600.0;
    return rotationAboutZ(-z) * rotationAboutY(theta) * rotationAboutZ(-zeta);
}

sSkyFrame makeSkyFrame(double unixSeconds, const sPlace& place) {
    sSkyFrame frame;
    frame.time = astroTimeOfUnixSeconds(unixSeconds);
    frame.place = place;
    frame.localSiderealDeg = normalizedDegrees(frame.time.greenwichApparentSiderealDeg + place.longitudeDeg);
    frame.j2000ToTrueOfDate = nutationMatrix(frame.time) * precessionFromJ2000(frame.time.centuriesTt);
    frame.trueOfDateToHorizon = equatorialToHorizon(place.latitudeDeg, frame.localSiderealDeg);
    frame.j2000ToHorizon = frame.trueOfDateToHorizon * frame.j2000ToTrueOfDate;
    frame.aberrationJ2000 = aberrationOf(frame.time.centuriesTt);
    frame.observerTrueOfDateKm = observerPosition(place, frame.localSiderealDeg);
    return frame;
}

sHorizontal horizontalOf(const sVec3& enu) {
    sHorizontal out;
    out.altDeg = std::atan2(enu.z, std::hypot(enu.x, enu.y)) * kRadToDeg;
    out.azDeg = normalizedDegrees(std::atan2(enu.x, enu.y) * kRadToDeg);
    return out;
}

namespace {
// Saemundsson's formula, in arcminutes, for either precision.
template <typename Real>
Real refractionDegOf(Real h) {
    if (h < Real(-2)) return Real(0);
    const Real arcmin = Real(1.02) / std::tan((h + Real(10.3) / (h + Real(5.11))) * static_cast<Real>(kDegToRad));
    return arcmin > Real(0) ? arcmin / Real(60) : Real(0);
}
}  // namespace

double refractionDeg(double trueAltDeg) { return refractionDegOf(trueAltDeg); }
float refractionDeg(float trueAltDeg) { return refractionDegOf(trueAltDeg); }
