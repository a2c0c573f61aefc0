#include "astro/star_positions.h"

#include <cmath>

namespace {
// Below this nothing is seen, and refraction adds nothing.
constexpr float kRefractionFloorDeg = -2.0f;
constexpr float kDegToRadF = static_cast<float>(kDegToRad);
constexpr float kRadToDegF = static_cast<float>(kRadToDeg);
}  // namespace

float sStarPlace::azimuthDeg() const {
    const float azimuth = std::atan2(east, north) * kRadToDegF;
    return azimuth < 0.0f ? azimuth + 360.0f : azimuth;
}

cStarPositions::cStarPositions(const sStarCatalogue& catalogue) : m_catalogue(catalogue) {
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
    float east = (m[0][0] * x + m[0][1] * y + m[0][2] * z) * norm;
    float north = (m[1][0] * x + m[1][1] * y + m[1][2] * z) * norm;
    float up = (m[2][0] * x + m[2][1] * y + m[2][2] * z) * norm;
    const float alt = std::asin(std::fmax(-1.0f, std::fmin(1.0f, up))) * kRadToDegF;
    if (alt <= kRefractionFloorDeg) {
        m_places[i] = {alt, east, north, up};
        return;
    }
    // The air lifts the star by r within its vertical: the sum of two angles,
    // with r under a degree, needs no sine or cosine of the altitude.
    const float liftDeg = static_cast<float>(refractionDeg(alt));
    const float r = liftDeg * kDegToRadF;
    const float cosR = 1.0f - r * r * 0.5f + r * r * r * r / 24.0f;
    const float sinR = r - r * r * r / 6.0f;
    const float horizontal = std::sqrt(east * east + north * north);
    const float scale = horizontal > 0.0f ? (horizontal * cosR - up * sinR) / horizontal : 0.0f;
    m_places[i] = {alt + liftDeg, east * scale, north * scale, up * cosR + horizontal * sinR};
}

cSkyPointDirections::cSkyPointDirections(const sSkyPoint* points, std::size_t count) {
    m_j2000.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const sVec3 v = unitVectorOf(points[i].raDeg, points[i].decDeg);
        m_j2000.push_back({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
    }
    m_directions.resize(count);
}

void cSkyPointDirections::compute(const sSkyFrame& frame) {
    const sMat3& m = frame.j2000ToHorizon;
    for (std::size_t i = 0; i < m_j2000.size(); ++i) {
        const sVec3 v = m * sVec3{m_j2000[i].x, m_j2000[i].y, m_j2000[i].z};
        m_directions[i] = {static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)};
    }
}

sVec3 horizonDirectionOfJ2000(double raDeg, double decDeg, const sSkyFrame& frame) {
    const sVec3 seen = unitVectorOf(raDeg, decDeg) + frame.aberrationJ2000;
    return frame.j2000ToHorizon * ((1.0 / length(seen)) * seen);
}
