#include "world/real_sky_meteors.h"

#include "platform/window.h"
#include "sprites/random.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
// A meteor's path across the sky seen square on; near the radiant (or its
// opposite) it shortens and slows with the sine of the distance, never below this share.
constexpr double kShortestLengthDeg = 6.0;
constexpr double kLongestLengthDeg = 22.0;
constexpr double kLeastForeshortening = 0.15;
// Degrees a second per km/s of entry speed seen square on: the Perseids (59 km/s) cross 30 deg a second.
constexpr double kDegPerSecondPerKmS = 0.5;
// The glowing trail behind the head, as a share of the whole path.
constexpr double kTrailShare = 0.35;
// Brightening over the first share of the flight, fading over the last.
constexpr float kRiseShare = 0.15f;
constexpr float kFadeShare = 0.45f;
constexpr float kDimmest = 0.5f;
// Starts closer to the radiant than this have no direction to speak of; starts this low hide behind the horizon.
constexpr double kNearRadiantDeg = 1.0;
constexpr double kLowestStartUp = 0.02;
constexpr int kStartTries = 4;
constexpr int kHeadWidth = 2;
constexpr int kReach = 2;

sVec3 normalised(const sVec3& v) {
    const double n = length(v);
    return n > 0.0 ? (1.0 / n) * v : v;
}

int pixel(float v) { return static_cast<int>(std::lround(v)); }
}  // namespace

void cRealSkyMeteors::watch(const std::array<sShowerSky, kMeteorShowerCount>& showers) {
    m_showers = showers;
    double perHour = 0.0;
    for (const sShowerSky& shower : m_showers) perHour += shower.hourlyRate;
    m_ratePerSecond = perHour * kScreenRateFactor / 3600.0;
}

void cRealSkyMeteors::update(float seconds, cChangeLedger& changes) {
    for (sMeteor& meteor : m_meteors) {
        if (!meteor.active) continue;
        if (meteor.placed) noteBoxes(meteor, changes);
        meteor.age += seconds;
        if (meteor.age * meteor.speedRadPerSecond >= meteor.lengthRad) {
            meteor.active = false;
            continue;
        }
        place(meteor);
        if (meteor.placed) noteBoxes(meteor, changes);
    }
    if (m_ratePerSecond <= 0.0) return;
    if (m_due < 0.0) m_due = -std::log(1.0 - static_cast<double>(keslRandomUnit()));
    m_hazard += m_ratePerSecond * seconds;
    // However long the step, no more than the pool holds start in one go.
    for (int started = 0; m_hazard >= m_due && started < kPoolSize; ++started) {
        m_hazard -= m_due;
        m_due = -std::log(1.0 - static_cast<double>(keslRandomUnit()));
        launch();
    }
    m_hazard = std::min(m_hazard, m_due);
}

void cRealSkyMeteors::launch() {
    // One seed gives one sky only if the draws keep their order: shower, start, length, brightness.
    double pick = keslRandomUnit() * m_ratePerSecond * 3600.0 / kScreenRateFactor;
    int shower = 0;
    for (; shower < static_cast<int>(kMeteorShowerCount) - 1; ++shower) {
        pick -= m_showers[static_cast<size_t>(shower)].hourlyRate;
        if (pick < 0.0) break;
    }
    while (m_showers[static_cast<size_t>(shower)].hourlyRate <= 0.0 && shower > 0) --shower;
    const sShowerSky& sky = m_showers[static_cast<size_t>(shower)];
    const sVec3& radiant = sky.radiant;
    sVec3 start;
    bool found = false;
    for (int attempt = 0; attempt < kStartTries && !found; ++attempt) {
        const double x = keslRandomUnit() * m_projection.width;
        const double y = keslRandomUnit() * m_projection.height;
        start = directionOfPixel(m_projection, x, y);
        found = start.z > kLowestStartUp && std::acos(std::clamp(dot(start, radiant), -1.0, 1.0)) > kNearRadiantDeg * kRadiansPerDegree;
    }
    const double lengthDeg = keslRandomFloat(static_cast<float>(kShortestLengthDeg), static_cast<float>(kLongestLengthDeg));
    const float brightness = keslRandomFloat(kDimmest, 1.0f);
    if (!found) return;
    auto slot = std::find_if(m_meteors.begin(), m_meteors.end(), [](const sMeteor& m) { return !m.active; });
    if (slot == m_meteors.end()) return;
    // Away from the radiant along the great circle through it: the part of -radiant square to the start.
    const double cosine = dot(start, radiant);
    const double foreshortening = std::max(kLeastForeshortening, std::sqrt(std::max(0.0, 1.0 - cosine * cosine)));
    sMeteor& meteor = *slot;
    meteor = sMeteor{};
    meteor.active = true;
    meteor.serial = ++m_launched;
    meteor.shower = shower;
    meteor.start = start;
    meteor.along = normalised(cosine * start - radiant);
    meteor.lengthRad = static_cast<float>(lengthDeg * foreshortening * kRadiansPerDegree);
    meteor.speedRadPerSecond =
        static_cast<float>(kDegPerSecondPerKmS * sky.shower->speedKmS * foreshortening * kRadiansPerDegree);
    meteor.brightness = brightness;
    place(meteor);
}

void cRealSkyMeteors::place(sMeteor& meteor) const {
    const double head = std::min<double>(meteor.age * meteor.speedRadPerSecond, meteor.lengthRad);
    const double tail = std::max(0.0, head - kTrailShare * meteor.lengthRad);
    const float progress = static_cast<float>(head / meteor.lengthRad);
    float shine = 1.0f;
    if (progress < kRiseShare) shine = progress / kRiseShare;
    if (progress > 1.0f - kFadeShare) shine = (1.0f - progress) / kFadeShare;
    meteor.shine = std::max(0.0f, shine) * meteor.brightness;
    meteor.placed = true;
    for (int i = 0; i <= kSegments; ++i) {
        const double angle = tail + (head - tail) * i / kSegments;
        const sVec3 d = std::cos(angle) * meteor.start + std::sin(angle) * meteor.along;
        float x = 0.0f, y = 0.0f;
        if (!projectDirection(m_projection, static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z), x, y)) {
            meteor.placed = false;
            return;
        }
        meteor.x[static_cast<size_t>(i)] = x;
        meteor.y[static_cast<size_t>(i)] = y;
    }
    for (size_t i = 0; i < kSegments; ++i) {
        const int left = std::min(pixel(meteor.x[i]), pixel(meteor.x[i + 1]));
        const int right = std::max(pixel(meteor.x[i]), pixel(meteor.x[i + 1]));
        const int top = std::min(pixel(meteor.y[i]), pixel(meteor.y[i + 1]));
        const int bottom = std::max(pixel(meteor.y[i]), pixel(meteor.y[i + 1]));
        meteor.boxes[i] =
            keslRect<int>(top - kReach, left - kReach, right - left + 2 * kReach + 1, bottom - top + 2 * kReach + 1);
    }
}

void cRealSkyMeteors::noteBoxes(const sMeteor& meteor, cChangeLedger& changes) {
    for (const keslRect<int>& box : meteor.boxes) changes.note(box);
}

void cRealSkyMeteors::draw(keslWindow& window) const {
    for (const sMeteor& meteor : m_meteors) {
        if (!meteor.active || !meteor.placed) continue;
        // Dim at the tail end, brightest at the head.
        for (int i = 0; i < kSegments; ++i) {
            const float share = meteor.shine * static_cast<float>(i + 1) / kSegments;
            const size_t a = static_cast<size_t>(i), b = a + 1;
            window.drawLine(pixel(meteor.x[a]), pixel(meteor.y[a]), pixel(meteor.x[b]), pixel(meteor.y[b]),
                            i == kSegments - 1 ? kHeadWidth : 1, scaleColor(kHeadColour, share));
        }
    }
}
