#include "world/real_sky_sprite.h"

#include "astro/solar_system.h"
#include "platform/window.h"
#include "system/rect_ops.h"
#include "system/system_services.h"
#include "util/bits.h"
#include "util/log.h"
#include "world/real_sky_lines.h"
#include "world/sky_background.h"
#include "world/sky_background_factory.h"

#include <algorithm>
#include <cmath>

namespace {

// Room for every point's change to be noted twice over between two reports;
// beyond it the frame is drawn whole.
constexpr size_t kChangesPerPoint = 4;
constexpr std::time_t kPathSeconds = cRealSkyPaths::kPathSeconds;
// The lines are drawn again once the sky turned this many pixels: they stop
// kRealSkyLineGap short of their stars, so a line that lags its stars by so
// little still looks joined to them.
constexpr double kLineTurnPixels = 2.0;
// The glow, blurred over degrees, is drawn again only once the sky turned this many pixels.
constexpr double kGlowTurnPixels = 4.0;
// A point that moved no further than this is noted as one box round both places.
constexpr int kNearMovePixels = 2;
// The sky's colours are drawn again once the sun has moved this far: a step
// of dusk nobody sees, a few minutes apart.
constexpr double kDaylightStepDeg = 0.25;
// The faintest stars of a dark night: the sky's light dims everything by how far its limit is brighter.
constexpr double kNightLimitingMagnitude = 6.5;
// The sun's glow shows above the horizon a little before its disc does.
constexpr double kSunShownFromAltDeg = -1.0;

int windowWidth(keslWindow* window) { return window ? std::max(1, window->getClientWidth()) : 1; }
int windowHeight(keslWindow* window) { return window ? std::max(1, window->getClientHeight()) : 1; }

// The square a point's picture of this radius fills.
keslRect<int> squareAround(int x, int y, int radius) {
    return keslRect<int>(y - radius, x - radius, 2 * radius + 1, 2 * radius + 1);
}

// The gradient background's picture at the window's size; empty (a black base) when it cannot be had.
std::vector<keslPixel> gradientPixels(int width, int height) {
    keslImage gradient;
    if (!gradient.initWithResource_impl(cSkyBackgroundFactory::kGradientBitmap)) {
        logWarning("The real sky's gradient could not be loaded; a black base instead");
        return {};
    }
    gradient.resizeTo(width, height);
    const keslPixelView pixels = gradient.pixelView();
    std::vector<keslPixel> base(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            base[static_cast<size_t>(y) * width + x] = pixels.contains(x, y) ? pixels.row(y)[x] : toPixel(gradient.getPixel(x, y));
        }
    }
    return base;
}

}  // namespace

cRealSkySprite::cRealSkySprite(keslWindow* window, const sRealSkyOptions& options)
    : TzerinSprite("realSky"),
      m_window(window),
      m_options(options),
      m_width(windowWidth(window)),
      m_height(windowHeight(window)),
      m_projection(makeSkyProjection(m_width, m_height, options.place.latitudeDeg)),
      m_glow(m_projection),
      m_paths(m_projection, m_stars.catalogue().starCount),
      m_twinkle(m_stars.catalogue().starCount),
      m_sun(m_height, m_projection.scale),
      m_meteors(m_projection) {
    const size_t starCount = m_stars.catalogue().starCount;
    buildLayer(options.background);
    m_visibleStars.reserve(starCount);
    m_starCells = std::make_unique<cStarCells>(starCount);
    m_drawMarks.resize((starCount + 63) / 64);
    m_previousStars.reserve(starCount);
    m_visiblePlanets.reserve(kRealSkyPlanetCount);
    m_previousPlanets.reserve(kRealSkyPlanetCount);
    m_lines.reserve(m_stars.catalogue().segmentCount);
    m_patches.reserve(m_deepSky.count());
    m_daylightColours.reserve(3 * m_glow.glow().size());
    m_fadedGlow.reserve(m_glow.glow().size());
    // Besides the points, a band of the layer may change in strips, each constellation's name move,
    // and each meteor and shower's name come and go.
    m_changes.reserve(kChangesPerPoint * (starCount + kRealSkyPlanetCount) + m_layer->changesPerBand() +
                      2 * m_stars.catalogue().constellationCount + 2 * (cRealSkyMeteors::kPoolSize * cRealSkyMeteors::kSegments + kMeteorShowerCount));
    if (options.names) m_labels.build(m_stars.catalogue());
    if (options.names) m_showerNames.build();
    logInfo("The real sky over %.2f %.2f on %ix%i, facing %s", options.place.latitudeDeg, options.place.longitudeDeg,
            m_width, m_height, m_projection.facingAzimuthDeg > 90.0 ? "south" : "north");
    setRenderWindow(window);
    turnTo(keslSystemServices().currentTime());
}

void cRealSkySprite::buildLayer(int background) {
    keslColor colour = kBlackBase;
    std::vector<keslPixel> base;
    switch (background) {
        case cSkyBackgroundFactory::kBlack:
            colour = scaleColor(skyBaseColor, cSkyBackgroundFactory::kBlackShare);
            break;
        case cSkyBackgroundFactory::kDarkBlue:
            colour = scaleColor(skyBaseColor, cSkyBackgroundFactory::kDarkBlueShare);
            break;
        case cSkyBackgroundFactory::kGradient:
            base = gradientPixels(m_width, m_height);
            break;
        default: break;
    }
    m_layer = std::make_unique<cRealSkyLayer>(m_width, m_height, colour, std::move(base),
                                              m_stars.catalogue().segmentCount, m_deepSky.count());
}

void cRealSkySprite::calculateSize() {
    width = static_cast<float>(m_width);
    height = static_cast<float>(m_height);
    sizeValid = true;
}

void cRealSkySprite::update(float seconds) {
    TzerinSprite::update(seconds);
    m_twinkle.advance(seconds);
    const std::time_t now = keslSystemServices().currentTime();
    if (now != m_turnedTo) turnTo(now);
    m_meteors.update(seconds, m_changes);
    m_twinkle.step(m_visibleStars, [&](const sPoint& star, int before) {
        const int r = std::max(m_palette.radius(star.shown), m_palette.radius(before));
        m_changes.note(squareAround(star.x, star.y, r));
    });
    if (!m_layer->drawing()) return;
    for (const keslRect<int>& rect : m_layer->drawBand()) m_changes.note(rect);
}

void cRealSkySprite::turnTo(std::time_t now) {
    m_turnedTo = now;
    // Whole minutes of the clock: a sky made at any second takes the same paths as one that ran through it.
    const std::time_t minute = now - ((now % kPathSeconds) + kPathSeconds) % kPathSeconds;
    if (minute != m_endsPlacedFor) placeEnds(minute);
    const sSkySnapshot sky = skySnapshotAt(static_cast<double>(now), m_options.place);
    const bool daylight = daylightDue(sky);
    const bool layerDue =
        !m_layerValid || daylight || pixelsTurnedSince(sky.frame, m_layerSiderealDeg) >= kLineTurnPixels;
    const float along = static_cast<float>(now - minute) / static_cast<float>(kPathSeconds);
    std::swap(m_visibleStars, m_previousStars);
    m_paths.placeStars(along, m_visibleStars);
    m_twinkle.settle(m_visibleStars, m_previousStars);
    m_starCells->invalidate();
    std::swap(m_visiblePlanets, m_previousPlanets);
    m_paths.placePlanets(along, m_visiblePlanets);
    m_moon = placeMoon(m_moonPath, along);
    placeSun(along);
    watchShowers(sky);
    // The lines join stars anywhere in the sky: every star is placed for them.
    if (layerDue && m_options.constellationLines) m_stars.compute(sky.frame);
    if (layerDue) renderLayer(sky, daylight);
    if (layerDue) placeConstellationNames(sky.frame);
    // A rounded place or a level may have stepped; the lines follow band by band.
    noteMoves(m_previousStars, m_visibleStars, false);
    noteMoves(m_previousPlanets, m_visiblePlanets, true);
}

void cRealSkySprite::placeEnds(std::time_t minute) {
    m_endsPlacedFor = minute;
    // The sky stays up with a clock set far off; the log says once that its planets are not to be trusted.
    if (!m_warnedElements && !planetElementsHoldAt(static_cast<double>(minute))) {
        m_warnedElements = true;
        logWarning("Real sky: the planets are placed from elements that hold from %d to %d only; this clock is outside them",
                   kPlanetElementsFirstYear, kPlanetElementsLastYear);
    }
    const sSkySnapshot start = skySnapshotAt(static_cast<double>(minute), m_options.place, &m_stars);
    // The sky's light of the minute's start holds for its stars: a tenth of a magnitude at the most.
    const double limit = m_options.alwaysNight ? kNightLimitingMagnitude : start.light.limitingMag;
    m_paths.setSkyDimming(static_cast<float>(kNightLimitingMagnitude - limit));
    m_paths.startStars(m_stars.catalogue(), m_stars.places());
    const sSkySnapshot end =
        skySnapshotAt(static_cast<double>(minute + kPathSeconds), m_options.place, &m_stars, &m_paths.nearView());
    m_paths.endStars(m_stars.places());
    for (int p = 0; p < kRealSkyPlanetCount; ++p) {
        m_paths.placePlanet(p, start.body(kRealSkyPlanets[p]), end.body(kRealSkyPlanets[p]));
    }
    m_moonPath = {moonOnView(m_projection, start), moonOnView(m_projection, end)};
    const sSkySnapshot* ends[2] = {&start, &end};
    for (int e = 0; e < 2; ++e) {
        const sBodyPosition& sun = ends[e]->sun();
        float x = 0.0f, y = 0.0f;
        const bool shown = !m_options.alwaysNight && sun.apparentAltDeg > kSunShownFromAltDeg &&
                           projectAltAz(m_projection, sun.apparentAltDeg, sun.horizontal.azDeg, x, y);
        m_sunPath.shown[e] = shown;
        m_sunPath.x[e] = x;
        m_sunPath.y[e] = y;
        m_sunPath.altDeg[e] = sun.apparentAltDeg;
    }
}

void cRealSkySprite::watchShowers(const sSkySnapshot& sky) {
    const double limit = m_options.alwaysNight ? kNightLimitingMagnitude : sky.light.limitingMag;
    const auto showers = showerSkyAt(sky.frame, solarLongitudeJ2000Deg(sky.frame, sky.sun()), limit);
    m_meteors.watch(showers);
    m_showerNames.place(m_projection, showers, m_changes);
}

void cRealSkySprite::noteMoves(const std::vector<sPoint>& before, const std::vector<sPoint>& after, bool planets) {
    // Both lists follow the catalogue's order.
    size_t i = 0, j = 0;
    while (i < before.size() || j < after.size()) {
        if (j == after.size() || (i < before.size() && before[i].star < after[j].star)) {
            notePoint(before[i++], planets);
            continue;
        }
        if (i == before.size() || after[j].star < before[i].star) {
            notePoint(after[j++], planets);
            continue;
        }
        const sPoint& a = before[i++];
        const sPoint& b = after[j++];
        if (a.x == b.x && a.y == b.y && a.shown == b.shown && a.colourClass == b.colourClass) continue;
        if (std::abs(a.x - b.x) > kNearMovePixels || std::abs(a.y - b.y) > kNearMovePixels) {
            notePoint(a, planets);
            notePoint(b, planets);
            continue;
        }
        // A pixel's step: one box holds both places, half as many changes to draw.
        m_changes.note(keslBoundingBox(squareOf(a), squareOf(b)));
        if (m_labels.hasName(a, planets)) {
            m_changes.note(keslBoundingBox(cRealSkyLabels::boxOf(a), cRealSkyLabels::boxOf(b)));
        }
    }
}

keslRect<int> cRealSkySprite::squareOf(const sPoint& point) const {
    return squareAround(point.x, point.y, m_palette.radius(point.shown));
}

void cRealSkySprite::notePoint(const sPoint& point, bool planets) {
    m_changes.note(squareOf(point));
    if (m_labels.hasName(point, planets)) m_changes.note(cRealSkyLabels::boxOf(point));
}

void cRealSkySprite::reportChange(keslDirtyRegion& region) {
    TzerinSprite::reportChange(region);
    m_changes.report(region);
}

double cRealSkySprite::pixelsTurnedSince(const sSkyFrame& frame, double siderealDeg) const {
    double turned = std::fabs(std::fmod(frame.localSiderealDeg - siderealDeg, 360.0));
    if (turned > 180.0) turned = 360.0 - turned;
    return pixelsForTurn(m_projection, turned);
}

void cRealSkySprite::placeSun(float along) {
    const sSunPath& p = m_sunPath;
    // Rising or setting within the minute, it stands as at the nearer end.
    const bool between = p.shown[0] && p.shown[1];
    const int nearer = along < 0.5f ? 0 : 1;
    const int x = static_cast<int>(std::lround(between ? p.x[0] + along * (p.x[1] - p.x[0]) : p.x[nearer]));
    const int y = static_cast<int>(std::lround(between ? p.y[0] + along * (p.y[1] - p.y[0]) : p.y[nearer]));
    const bool shown = (between || p.shown[nearer]) && keslOverlaps(m_sun.boxAt(x, y), keslRect<int>(0, 0, m_width, m_height));
    const keslRect<int> before = m_sun.box();
    const bool wasShown = m_sun.shown();
    if (!m_sun.place(shown, x, y, p.altDeg[0] + along * (p.altDeg[1] - p.altDeg[0]))) return;
    if (wasShown) m_changes.note(before);
    if (m_sun.shown()) m_changes.note(m_sun.box());
}

bool cRealSkySprite::daylightDue(const sSkySnapshot& sky) const {
    if (m_options.alwaysNight) return false;
    if (!m_layerValid) return true;
    const bool darkNow = sky.light.phase == eSkyPhase::night;
    const bool darkBefore = m_light.phase == eSkyPhase::night;
    // Deep in the night nothing of the sun's shows: nothing to draw again.
    if (darkNow && darkBefore) return false;
    return darkNow != darkBefore || std::fabs(sky.light.sunAltDeg - m_light.sunAltDeg) >= kDaylightStepDeg;
}

void cRealSkySprite::paintDaylight(const sSkySnapshot& sky) {
    m_light = sky.light;
    const sVec3& sun = sky.sun().horizonDirection;
    m_daylight.setSun(sky.light.sunAltDeg, static_cast<float>(sun.x), static_cast<float>(sun.y),
                      static_cast<float>(sun.z));
    m_daylightColours.clear();
    if (m_daylight.dark()) return;
    for (const cMilkyWayGlowGrid::sGlowPoint& point : m_glow.points()) {
        const cRealSkyDaylight::sRgb colour = m_daylight.colourAt(point.east, point.north, std::max(0.0f, point.up));
        m_daylightColours.push_back(colour.r);
        m_daylightColours.push_back(colour.g);
        m_daylightColours.push_back(colour.b);
    }
}

void cRealSkySprite::renderLayer(const sSkySnapshot& sky, bool daylightDue) {
    const sSkyFrame& frame = sky.frame;
    m_layerSiderealDeg = frame.localSiderealDeg;
    ++m_layerRenders;
    if (daylightDue) paintDaylight(sky);
    const bool glowDue = !m_layerValid || pixelsTurnedSince(frame, m_glowSiderealDeg) >= kGlowTurnPixels;
    // By day the Milky Way is gone: its map is not looked up at all.
    const float glowShare = m_daylight.glowShare();
    if (glowDue && glowShare > 0.0f) {
        m_glowSiderealDeg = frame.localSiderealDeg;
        m_glow.render(m_milkyWay, frame.j2000ToHorizon);
    }
    if ((glowDue && glowShare > 0.0f) || daylightDue) {
        const std::vector<float>& glow = m_glow.glow();
        const sRealSkyDaylightGrid daylight{&m_daylightColours, m_daylight.baseShare(), m_daylight.lineShare()};
        if (glowShare >= 1.0f) {
            m_layer->setGlow(glow, m_glow.columns(), cMilkyWayGlowGrid::kStep, daylight);
        } else {
            m_fadedGlow.clear();
            for (const float g : glow) m_fadedGlow.push_back(g * glowShare);
            m_layer->setGlow(m_fadedGlow, m_glow.columns(), cMilkyWayGlowGrid::kStep, daylight);
        }
    }
    if (m_options.constellationLines) {
        collectRealSkyLines(m_projection, m_stars.catalogue(), m_stars.places(), m_lines);
    } else {
        m_lines.clear();
    }
    // Always there, names or not, and gone by day as the glow is.
    m_deepSky.collect(m_projection, frame, glowShare, m_patches);
    m_layer->begin(m_lines, m_patches);
    if (m_layerValid) return;
    // The first layer is drawn at once, and the whole window with it: no point's own change need be listed.
    m_layerValid = true;
    m_layer->finish();
    m_changes.wholeWindow();
}

void cRealSkySprite::placeConstellationNames(const sSkyFrame& frame) {
    if (!m_options.names) return;
    // The names go with the lines: once the sky is too light for those, for these too.
    const bool shown = m_daylight.lineShare() > 0.0f;
    m_labels.placeConstellations(m_projection, shown ? &frame : nullptr,
                                 [this](const keslRect<int>& box) { m_changes.note(box); });
}

void cRealSkySprite::drawPoint(const sPoint& point) {
    // The window passes over a point outside the frame's changes; drawStars asks only those near them.
    const int r = m_palette.radius(point.shown);
    // Under a lit sky a point lightens what is there, or its halo would show as a dark square;
    // at night its dim pixels are left out anyway, and the plain copy is quicker.
    if (!m_daylight.dark() &&
        m_renderWindowPtr->lightenPixels(point.x - r, point.y - r, m_palette.pixelsOf(point.colourClass, point.shown))) {
        return;
    }
    m_palette.image(point.colourClass, point.shown).drawOn(m_renderWindowPtr, point.x - r, point.y - r);
}

keslRect<int> cRealSkySprite::coverage() {
    if (!m_renderWindowPtr) return {};
    return keslRect<int>(0, 0, m_renderWindowPtr->getClientWidth(), m_renderWindowPtr->getClientHeight());
}

void cRealSkySprite::draw() {
    if (!m_renderWindowPtr) return;
    m_layer->drawOn(*m_renderWindowPtr);
    m_labels.drawConstellations(m_renderWindowPtr);
    m_sun.draw(*m_renderWindowPtr);
    drawStars();
    for (const sPoint& planet : m_visiblePlanets) drawPoint(planet);
    m_meteors.draw(*m_renderWindowPtr);
    m_labels.draw(m_renderWindowPtr, m_visibleStars, m_visiblePlanets);
    m_showerNames.draw(m_renderWindowPtr);
}

void cRealSkySprite::drawStars() {
    const keslDirtyRegion* clip = m_renderWindowPtr->getClipRegion();
    if (!clip || clip->isWhole()) {
        for (const sPoint& star : m_visibleStars) drawPoint(star);
        return;
    }
    if (!m_starCells->fits(*clip)) m_starCells->file(m_visibleStars, cRealSkyPalette::kLargestRadius, *clip);
    const size_t words = (m_visibleStars.size() + 63) / 64;
    std::fill(m_drawMarks.begin(), m_drawMarks.begin() + static_cast<std::ptrdiff_t>(words), 0ull);
    m_starCells->markTouched(*clip, m_drawMarks);
    // In the marks' order, which is the catalogue's: where two stars overlap, the one on top is the one a whole frame puts there.
    for (size_t word = 0; word < words; ++word) {
        for (std::uint64_t bits = m_drawMarks[word]; bits != 0; bits &= bits - 1) {
            const sPoint& star = m_visibleStars[word * 64 + static_cast<size_t>(keslLowestBit(bits))];
            // Most stars under a touched cell miss every change: asking is cheaper than a drawing clipped to nothing.
            if (clip->intersects(squareOf(star))) drawPoint(star);
        }
    }
}
