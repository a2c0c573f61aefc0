// The meteor showers' falling stars in the real sky: each flies from a random
// point of the view along the great circle leading away from its shower's
// radiant, wherever the radiant stands (off the view too), shorter and
// slower near it as real meteors are foreshortened, faster for a swifter
// stream, and fades out at its end. They come at random, as often as the
// showers' hourly rates over the sky of the moment say, times a constant
// that makes a strong shower noticeable in a screensaver's few minutes. A
// fixed pool: several fly at once, a frame allocates nothing.
#pragma once

#include "astro/meteor_showers.h"
#include "astro/sky_projection.h"
#include "platform/color.h"
#include "world/change_ledger.h"

#include <array>
#include <cstdint>

class keslWindow;

class cRealSkyMeteors {
public:
    static constexpr int kPoolSize = 8;
    // The observer's hourly rate counts a whole sky over a long watch; the
    // view shows part of it and is looked at for minutes. Two and a half times
    // that rate puts the Perseids' peak (ZHR 100, radiant high) about fifteen
    // seconds apart: a shower shows within a minute's look, and stays a treat.
    static constexpr double kScreenRateFactor = 2.5;
    static constexpr int kSegments = 4;
    static constexpr keslColor kHeadColour = 0xFFF4E0FFu;

    struct sMeteor {
        bool active = false;
        std::uint64_t serial = 0;  // 1 for the first launched
        int shower = 0;            // index into kMeteorShowers
        sVec3 start;               // unit (east, north, up)
        sVec3 along;               // unit tangent at the start, away from the radiant
        float lengthRad = 0.0f;
        float speedRadPerSecond = 0.0f;
        float age = 0.0f;
        float brightness = 1.0f;
        // As last placed: the points from the tail to the head, and the box each segment fills
        // (a slanting streak's boxes cover a fraction of the one box round it all).
        std::array<float, kSegments + 1> x{}, y{};
        bool placed = false;
        float shine = 0.0f;
        std::array<keslRect<int>, kSegments> boxes;
    };

    // Borrows the projection; it must outlive the meteors.
    explicit cRealSkyMeteors(const sSkyProjection& projection) : m_projection(projection) {}

    // The showers as they stand now, with the limiting magnitude their rates assume.
    void watch(const std::array<sShowerSky, kMeteorShowerCount>& showers);
    // Launches what is due, moves the flying ones; notes the boxes that changed.
    void update(float seconds, cChangeLedger& changes);
    void draw(keslWindow& window) const;

    // All showers' meteors on the view per hour.
    double screenRatePerHour() const { return m_ratePerSecond * 3600.0; }
    std::uint64_t launched() const { return m_launched; }
    const std::array<sMeteor, kPoolSize>& meteors() const { return m_meteors; }

private:
    void launch();
    void place(sMeteor& meteor) const;
    static void noteBoxes(const sMeteor& meteor, cChangeLedger& changes);

    const sSkyProjection& m_projection;
    std::array<sShowerSky, kMeteorShowerCount> m_showers{};
    std::array<sMeteor, kPoolSize> m_meteors{};
    double m_ratePerSecond = 0.0;
    // The next launch comes when the rate, summed over time, reaches a random share.
    double m_hazard = 0.0;
    double m_due = -1.0;
    std::uint64_t m_launched = 0;
};
