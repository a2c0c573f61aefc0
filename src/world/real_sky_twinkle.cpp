#include "world/real_sky_twinkle.h"

#include <cmath>

namespace {

float fraction(float v) { return v - std::floor(v); }

// A sine by table: the twinkle of a thousand stars per frame needs no more.
constexpr int kSineSteps = 1024;
const std::array<float, kSineSteps>& sineTable() {
    static const std::array<float, kSineSteps> table = [] {
        std::array<float, kSineSteps> t{};
        for (int i = 0; i < kSineSteps; ++i) t[static_cast<size_t>(i)] = std::sin(6.2831853f * i / kSineSteps);
        return t;
    }();
    return table;
}
// Turns of zero or more; in double, as a week's turns leave a float no fraction to speak of.
float sineOfTurns(double turns) {
    return sineTable()[static_cast<size_t>(static_cast<std::int64_t>(turns * kSineSteps) & (kSineSteps - 1))];
}

}  // namespace

cRealSkyTwinkle::cRealSkyTwinkle(size_t capacity) {
    for (std::vector<std::uint16_t>& group : m_groups) group.reserve(capacity);
}

void cRealSkyTwinkle::seed(sRealSkyPoint& point, size_t index) {
    constexpr float kGroupsF = static_cast<float>(kGroups);
    const float n = static_cast<float>(index);
    point.phase1 = fraction(n * 0.618034f);
    point.phase2 = fraction(n * 0.754878f);
    point.rate1 = 0.5f + fraction(n * 0.569840f);
    point.rate2 = 1.1f + 1.3f * fraction(n * 0.414214f);
    point.stagger = std::floor(fraction(n * 0.236068f) * kGroupsF) / kGroupsF;
}

int cRealSkyTwinkle::stepOf(const sRealSkyPoint& point) const {
    return static_cast<int>(std::floor(m_seconds * kStepsPerSecond + point.stagger));
}

float cRealSkyTwinkle::offsetOf(const sRealSkyPoint& point) const {
    const double t = static_cast<double>(stepOf(point)) / kStepsPerSecond;
    return 0.6f * sineOfTurns(point.phase1 + point.rate1 * t) + 0.4f * sineOfTurns(point.phase2 + point.rate2 * t);
}

float cRealSkyTwinkle::wantedLevel(const sRealSkyPoint& point) const {
    return point.level + point.twinkleLevels * offsetOf(point);
}

size_t cRealSkyTwinkle::groupOf(const sRealSkyPoint& point) {
    return std::min(kGroups - 1, static_cast<size_t>(point.stagger * static_cast<float>(kGroups) + 0.5f));
}

void cRealSkyTwinkle::settle(std::vector<sRealSkyPoint>& stars, const std::vector<sRealSkyPoint>& before) {
    for (std::vector<std::uint16_t>& group : m_groups) group.clear();
    size_t b = 0;  // walks the last placing, which follows the catalogue's order too
    for (size_t s = 0; s < stars.size(); ++s) {
        sRealSkyPoint& point = stars[s];
        while (b < before.size() && before[b].star < point.star) ++b;
        if (b < before.size() && before[b].star == point.star) {
            point.shown = before[b].shown;
            point.step = before[b].step;
        } else {
            point.shown = static_cast<std::uint8_t>(twinkledLevel(point));
            point.step = stepOf(point);
        }
        // A star that cannot stray past the hysteresis before the next placing need not step at all.
        if (std::fabs(point.level - static_cast<float>(point.shown)) + point.twinkleLevels >= kHysteresis) {
            m_groups[groupOf(point)].push_back(static_cast<std::uint16_t>(s));
        }
    }
}

bool cRealSkyTwinkle::stepStar(sRealSkyPoint& star) const {
    const int step = stepOf(star);
    if (step == star.step) return false;
    star.step = step;
    const float wanted = wantedLevel(star);
    if (std::fabs(wanted - static_cast<float>(star.shown)) < kHysteresis) return false;
    const int level = realSkyLevelIndex(wanted);
    if (level == star.shown) return false;
    star.shown = static_cast<std::uint8_t>(level);
    return true;
}

size_t cRealSkyTwinkle::filed() const {
    size_t n = 0;
    for (const std::vector<std::uint16_t>& group : m_groups) n += group.size();
    return n;
}
