// The showers' falling stars in the real sky over Vienna, counted and
// measured over simulated hours with a fixed seed: they must come as often
// as the showers' rates say, and each must fly away from its radiant, on
// the view or behind the viewer.
#include "astro/meteor_showers.h"
#include "astro/sky_snapshot.h"
#include "platform/test_window.h"
#include "support/fake_system.h"
#include "world/real_sky_sprite.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace {

constexpr double kPi = 3.14159265358979323846;
const sPlace kVienna{48.21, 16.37};

sVec3 cross(const sVec3& a, const sVec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Meteors this close to the radiant fly nearly straight from its pixel on the
// view; the arcs of this projection bend their start from the straight line
// by up to about a third of a degree per degree from the radiant.
constexpr double kNearRadiantDeg = 20.0;

double angleBetween(double aDeg, double bDeg) {
    double angle = std::fabs(std::fmod(aDeg - bDeg, 360.0));
    return angle > 180.0 ? 360.0 - angle : angle;
}

// The centre of the circle through three points; false when they lie on a line.
bool circleCentre(double ax, double ay, double bx, double by, double cx, double cy, double& x, double& y) {
    const double d = 2.0 * (ax * (by - cy) + bx * (cy - ay) + cx * (ay - by));
    if (std::fabs(d) < 1e-9) return false;
    const double a2 = ax * ax + ay * ay, b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
    x = (a2 * (by - cy) + b2 * (cy - ay) + c2 * (ay - by)) / d;
    y = (a2 * (cx - bx) + b2 * (ax - cx) + c2 * (bx - ax)) / d;
    return true;
}

struct sRun {
    int meteors = 0;
    double expected = 0.0;  // the showers' screen rate summed over the run
    double worstStartAngleDeg = 0.0;  // on screen, near the radiant: motion vs the line from the radiant's pixel
    double worstArcAngleDeg = 0.0;    // on screen: motion vs the great circle's arc
    int nearRadiant = 0;
    double worstPlaneOffset = 0.0;    // in the sky, off the great circle through the radiant
    int towardsRadiant = 0;
    bool radiantOnView = false;
};

// Flies the real sky for an hour from a moment, a frame every quarter second.
sRun flyAnHour(std::time_t start, const char* showerName) {
    constexpr int kWidth = 1280, kHeight = 720;
    constexpr int kFramesPerSecond = 4;
    constexpr int kSeconds = 3600;
    FakeSystem system;
    system.now = start;
    std::srand(20261214);
    auto test = makeTestWindow(kWidth, kHeight);
    sRealSkyOptions options;
    options.place = kVienna;
    options.constellationLines = false;
    cRealSkySprite sky(&test->window(), options);
    sRun run;
    std::uint64_t seen = 0;
    for (int second = 0; second < kSeconds; ++second) {
        system.now = start + second;
        const sSkySnapshot snapshot = skySnapshotAt(static_cast<double>(system.now), kVienna);
        const double lambda = solarLongitudeJ2000Deg(snapshot.frame, snapshot.sun());
        sShowerSky shower;
        for (const sShowerSky& s : showerSkyAt(snapshot.frame, lambda, snapshot.light.limitingMag)) {
            if (std::string(s.shower->name) == showerName) shower = s;
        }
        for (int frame = 0; frame < kFramesPerSecond; ++frame) {
            sky.update(1.0f / kFramesPerSecond);
            if (frame == 0) run.expected += sky.meteors().screenRatePerHour() / 3600.0;
            for (const cRealSkyMeteors::sMeteor& m : sky.meteors().meteors()) {
                if (!m.active || m.serial <= seen) continue;
                ++run.meteors;
                const sVec3 normal = cross(shower.radiant, m.start);
                run.worstPlaneOffset = std::max(run.worstPlaneOffset, std::fabs(dot(m.along, normal)) / length(normal));
                run.towardsRadiant += dot(m.along, shower.radiant) >= 0.0 ? 1 : 0;
                float rx = 0, ry = 0, x0 = 0, y0 = 0, x1 = 0, y1 = 0;
                const sVec3& r = shower.radiant;
                const bool radiantPlaced = projectDirection(sky.projection(), float(r.x), float(r.y), float(r.z), rx, ry);
                run.radiantOnView = radiantPlaced && isOnView(sky.projection(), rx, ry);
                const sVec3 step = std::cos(1e-3) * m.start + std::sin(1e-3) * m.along;
                projectDirection(sky.projection(), float(m.start.x), float(m.start.y), float(m.start.z), x0, y0);
                projectDirection(sky.projection(), float(step.x), float(step.y), float(step.z), x1, y1);
                float ax = 0, ay = 0;
                if (radiantPlaced && projectDirection(sky.projection(), float(-r.x), float(-r.y), float(-r.z), ax, ay)) {
                    const double moving = std::atan2(y1 - y0, x1 - x0) * 180.0 / kPi;
                    const double distanceDeg = std::acos(dot(m.start, r)) * 180.0 / kPi;
                    if (distanceDeg < kNearRadiantDeg) {
                        ++run.nearRadiant;
                        run.worstStartAngleDeg = std::max(run.worstStartAngleDeg, angleBetween(moving, std::atan2(y0 - ry, x0 - rx) * 180.0 / kPi));
                    }
                    // A stereographic view draws the great circle as the circle through the radiant, the start and the antiradiant.
                    double cx = 0, cy = 0;
                    if (circleCentre(rx, ry, x0, y0, ax, ay, cx, cy)) {
                        const double tangent = std::atan2(x0 - cx, -(y0 - cy)) * 180.0 / kPi;
                        const double off = std::min(angleBetween(moving, tangent), angleBetween(moving, tangent + 180.0));
                        run.worstArcAngleDeg = std::max(run.worstArcAngleDeg, off);
                    }
                }
            }
            for (const cRealSkyMeteors::sMeteor& m : sky.meteors().meteors()) seen = std::max(seen, m.serial);
        }
    }
    return run;
}

// Within four standard deviations of a Poisson count.
void expectPoisson(int count, double expected, const char* what) {
    EXPECT_NEAR(count, expected, 4.0 * std::sqrt(expected)) << what;
}

TEST(RealSkyMeteors, GeminidsPeakNightComeAtTheirRateAndFlyFromTheRadiantOnScreen) {
    const sRun run = flyAnHour(1797210000, "Geminids");  // 2026-12-14 01:00 UTC, radiant high in the south
    // ZHR about 92 at that solar longitude, the radiant near 75 deg: about 89 an hour for the observer.
    EXPECT_GT(run.expected, 150.0);
    expectPoisson(run.meteors, run.expected, "Geminids in an hour");
    EXPECT_EQ(run.towardsRadiant, 0);
    EXPECT_LT(run.worstPlaneOffset, 1e-5);
    EXPECT_GT(run.nearRadiant, 3);
    EXPECT_LT(run.worstStartAngleDeg, 8.0);
    EXPECT_LT(run.worstArcAngleDeg, 1.0);
}

TEST(RealSkyMeteors, PerseidsComeFromARadiantBehindTheView) {
    const sRun run = flyAnHour(1786581000, "Perseids");  // 2026-08-13 00:30 UTC, radiant in the north-east
    EXPECT_FALSE(run.radiantOnView);
    // ZHR near 100 with the radiant at 52-60 deg: one every 10 to 20 s once scaled to a radiant overhead.
    EXPECT_GT(run.meteors, 3600 / 20 * 0.75);
    EXPECT_LT(run.meteors, 3600 / 10);
    expectPoisson(run.meteors, run.expected, "Perseids in an hour");
    EXPECT_EQ(run.towardsRadiant, 0);
    EXPECT_LT(run.worstPlaneOffset, 1e-5);
    EXPECT_LT(run.worstArcAngleDeg, 1.0);
}

TEST(RealSkyMeteors, NoneByDayNorOutsideEveryShower) {
    struct Case {
        const char* when;
        std::time_t start;
    };
    const Case cases[] = {{"March night", 1773180000}, {"Geminids' noon", 1797253200}};
    for (const Case& c : cases) {
        FakeSystem system;
        system.now = c.start;
        auto test = makeTestWindow(640, 360);
        sRealSkyOptions options;
        options.place = kVienna;
        cRealSkySprite sky(&test->window(), options);
        for (int frame = 0; frame < 600; ++frame) {
            system.now = c.start + frame;
            sky.update(1.0f);
        }
        EXPECT_LT(sky.meteors().screenRatePerHour(), 0.01) << c.when;
        EXPECT_EQ(sky.meteors().launched(), 0u) << c.when;
    }
}

}  // namespace
