#include "astro/star_positions.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr float kRadToDegF = static_cast<float>(kRadToDeg);
}  // namespace

// The lift in radians by the sine of the true altitude, from the floor to
// the zenith: steps of under 0.015 deg near the horizon, where it bends most,
// keep the straight line between two steps within a millionth of a degree.
class cRefractionLift {
public:
    cRefractionLift() {
        for (int i = 0; i <= kSteps; ++i) {
            const double up = kLowest + (1.0 - kLowest) * i / kSteps;
            m_lift[static_cast<size_t>(i)] =
                static_cast<float>(refractionDeg(std::asin(std::min(1.0, up)) * kRadToDeg) * kDegToRad);
        }
    }
    static const cRefractionLift& shared();
    float at(float up) const {
        const float t = (up - static_cast<float>(kLowest)) * kPerUnit;
        if (t <= 0.0f) return 0.0f;
        const int i = std::min(kSteps - 1, static_cast<int>(t));
        const float f = std::min(1.0f, t - static_cast<float>(i));
        return m_lift[static_cast<size_t>(i)] + (m_lift[static_cast<size_t>(i) + 1] - m_lift[static_cast<size_t>(i)]) * f;
    }
    // The sine of -2 deg: below it nothing is seen, and the air adds nothing.
    static constexpr double kLowest = -0.0348995;

private:
    static constexpr int kSteps = 4096;
    static constexpr float kPerUnit = static_cast<float>(kSteps / (1.0 - kLowest));
    std::array<float, kSteps + 1> m_lift{};
};

const cRefractionLift& cRefractionLift::shared() {
    static const cRefractionLift table;
    return table;
}

float sStarPlace::altitudeDeg() const { return std::asin(std::fmax(-1.0f, std::fmin(1.0f, up))) * kRadToDegF; }

float sStarPlace::azimuthDeg() const {
    const float azimuth = std::atan2(east, north) * kRadToDegF;
    return azimuth < 0.0f ? azimuth + 360.0f : azimuth;
}

namespace {
// The air lifts a point by r within its vertical: the sum of two angles,
// with r under a degree, needs no sine or cosine of the altitude.
sStarPlace lifted(float east, float north, float up, const cRefractionLift& lift) {
    const float r = lift.at(up);
    if (r <= 0.0f) return {east, north, up};
    const float cosR = 1.0f - r * r * 0.5f + r * r * r * r / 24.0f;
    const float sinR = r - r * r * r / 6.0f;
    const float horizontal = std::sqrt(east * east + north * north);
    const float scale = horizontal > 0.0f ? (horizontal * cosR - up * sinR) / horizontal : 0.0f;
    return {east * scale, north * scale, up * cosR + horizontal * sinR};
}
}  // namespace

sStarPlace apparentPlaceOf(const sSkyFrame& frame, double raDeg, double decDeg) {
    const sVec3 seen = unitVectorOf(raDeg, decDeg) + frame.aberrationJ2000;
    const sVec3 h = frame.j2000ToHorizon * seen;
    const double norm = std::sqrt(h.x * h.x + h.y * h.y + h.z * h.z);
    return lifted(static_cast<float>(h.x / norm), static_cast<float>(h.y / norm), static_cast<float>(h.z / norm),
                  cRefractionLift::shared());
}

cStarPositions::cStarPositions(const sStarCatalogue& catalogue) : m_catalogue(catalogue), m_lift(cRefractionLift::shared()) {
    m_j2000.reserve(catalogue.starCount);
    for (std::size_t i = 0; i < catalogue.starCount; ++i) {
        const sVec3 v = unitVectorOf(catalogue.stars[i].raDeg, catalogue.stars[i].decDeg);
        m_j2000.push_back({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
    }
    m_places.resize(catalogue.starCount);
}

cStarPositions::sTurn cStarPositions::turnOf(const sSkyFrame& frame) {
    sTurn turn{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) turn.m[i][j] = static_cast<float>(frame.j2000ToHorizon.m[i][j]);
    }
    turn.ax = static_cast<float>(frame.aberrationJ2000.x);
    turn.ay = static_cast<float>(frame.aberrationJ2000.y);
    turn.az = static_cast<float>(frame.aberrationJ2000.z);
    return turn;
}

void cStarPositions::compute(const sSkyFrame& frame) {
    const sTurn turn = turnOf(frame);
    for (std::size_t i = 0; i < m_j2000.size(); ++i) place(i, turn);
}

void cStarPositions::compute(const sSkyFrame& frame, const std::vector<std::uint32_t>& only) {
    const sTurn turn = turnOf(frame);
    for (const std::uint32_t i : only) {
        if (i < m_j2000.size()) place(i, turn);
    }
}

void cStarPositions::place(std::size_t i, const sTurn& turn) {
    const float (&m)[3][3] = turn.m;
    const sUnit& u = m_j2000[i];
    const float x = u.x + turn.ax, y = u.y + turn.ay, z = u.z + turn.az;
    const float norm = 1.0f / std::sqrt(x * x + y * y + z * z);
    const float east = (m[0][0] * x + m[0][1] * y + m[0][2] * z) * norm;
    const float north = (m[1][0] * x + m[1][1] * y + m[1][2] * z) * norm;
    const float up = (m[2][0] * x + m[2][1] * y + m[2][2] * z) * norm;
    m_places[i] = lifted(east, north, up, m_lift);
}
