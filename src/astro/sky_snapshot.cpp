#include "astro/sky_snapshot.h"

#include "astro/star_positions.h"

sSkySnapshot skySnapshotAt(double unixSeconds, const sPlace& place, cStarPositions* stars,
                           const std::vector<std::uint32_t>* onlyStars) {
    sSkySnapshot sky;
    sky.frame = makeSkyFrame(unixSeconds, place);
    for (eSolarBody body : kSolarBodies) sky.bodies[static_cast<std::size_t>(body)] = solarBodyPosition(body, sky.frame);
    const sBodyPosition& sun = sky.sun();
    sky.moonLimb = moonBrightLimb(sky.moon(), sun, sky.frame);
    sky.eclipse = lunarEclipseAt(sky.frame, sun);
    sky.bodies[static_cast<std::size_t>(eSolarBody::moon)].mag += sky.eclipse.dimmingMag;
    sky.light = skyLightOf(sun.horizontal.altDeg, sun.horizontal.azDeg);
    if (stars && onlyStars) {
        stars->compute(sky.frame, *onlyStars);
    } else if (stars) {
        stars->compute(sky.frame);
    }
    return sky;
}
