// When the real sky's stars twinkle. Each star steps its twinkle a few times
// a second, at one of sixteen moments of a step, so a frame looks only at the
// stars whose moment came; a star shows another level only once its twinkle
// strays past a hysteresis from the level shown, and a star that cannot stray
// so far before the next placing is not looked at at all. The level a step
// asks for comes from two waves of the star's own, by a table of sines.
// Storage is reserved once: a frame allocates nothing.
#pragma once

#include "world/real_sky_point.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

class cRealSkyTwinkle {
public:
    // Stars step their twinkles at one of this many moments a step.
    static constexpr size_t kGroups = 16;
    // A star's twinkle steps this often, each star at its own moments: a calm
    // flicker, and a frame redraws a few stars rather than all of them.
    static constexpr double kStepsPerSecond = 2.5;
    // A star shows another level only once its twinkle strays this far (in
    // levels) from the one shown: a star overhead, barely twinkling, stays put
    // rather than flickering across a rounding edge.
    static constexpr float kHysteresis = 0.8f;

    // Room for this many stars in view.
    explicit cRealSkyTwinkle(size_t capacity);

    // Gives the star with this catalogue index its own fixed but unrelated phases, rates and moment.
    static void seed(sRealSkyPoint& point, size_t index);

    // The twinkle's own clock runs on with the frames.
    void advance(float seconds) { m_seconds += seconds; }
    double seconds() const { return m_seconds; }

    // The step a star's twinkle stands at now.
    int stepOf(const sRealSkyPoint& point) const;
    // The twinkle's offset at that step, -1..1 of its amplitude.
    float offsetOf(const sRealSkyPoint& point) const;
    // The level the twinkle asks for now, before rounding and hysteresis.
    float wantedLevel(const sRealSkyPoint& point) const;
    // The palette level the twinkle asks for now, without hysteresis.
    int twinkledLevel(const sRealSkyPoint& point) const { return realSkyLevelIndex(wantedLevel(point)); }

    // For a new placing of the stars (both in catalogue order): a star still
    // in view keeps its twinkle where it stands, hysteresis and all, a new one
    // starts at the level asked for now; those that may step are filed by moment.
    void settle(std::vector<sRealSkyPoint>& stars, const std::vector<sRealSkyPoint>& before);
    // Steps the stars of each group whose moment came since the last call;
    // calls changed(star, level shown before) for each star that shows another level now.
    template <typename Changed>
    void step(std::vector<sRealSkyPoint>& stars, Changed&& changed);
    // One star's step: true when it shows another level now.
    bool stepStar(sRealSkyPoint& star) const;
    // How many stars are filed to step.
    size_t filed() const;

private:
    static size_t groupOf(const sRealSkyPoint& point);

    // In double: a float adding 0.04 s a frame stands still after twelve days.
    double m_seconds = 0.0;
    std::array<std::vector<std::uint16_t>, kGroups> m_groups;  // indices into the stars
    std::array<int, kGroups> m_groupSteps{};
};

template <typename Changed>
void cRealSkyTwinkle::step(std::vector<sRealSkyPoint>& stars, Changed&& changed) {
    for (size_t g = 0; g < kGroups; ++g) {
        // Between its steps a group's twinkle stands still: most frames pass over most stars.
        const double stagger = static_cast<double>(g) / static_cast<double>(kGroups);
        const int groupStep = static_cast<int>(std::floor(m_seconds * kStepsPerSecond + stagger));
        if (groupStep == m_groupSteps[g]) continue;
        m_groupSteps[g] = groupStep;
        for (const std::uint16_t index : m_groups[g]) {
            sRealSkyPoint& star = stars[index];
            const int before = star.shown;
            if (stepStar(star)) changed(static_cast<const sRealSkyPoint&>(star), before);
        }
    }
}
