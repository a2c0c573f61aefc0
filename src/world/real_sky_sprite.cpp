#include "world/real_sky_sprite.h"

#include "platform/window.h"
#include "settings/localisation.h"
#include "system/rect_ops.h"
#include "system/system_services.h"
#include "util/bits.h"
#include "util/log.h"
#include "world/sky_background.h"
#include "world/sky_background_factory.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Twinkling in magnitudes: a steady sky overhead, restless low down, where
// the light crosses more air (the airmass, capped for the last degrees).
constexpr float kTwinkleOverhead = 0.03f;
constexpr float kTwinklePerAirmass = 0.06f;
constexpr float kMaxTwinkle = 0.7f;
// The air also dims what is low: magnitudes per airmass above one.
constexpr float kExtinctionPerAirmass = 0.2f;
constexpr float kMaxAirmass = 12.0f;
// A star's twinkle steps this often, each star at its own moments: a calm
// flicker, and a frame redraws a few stars rather than all of them.
constexpr double kTwinkleStepsPerSecond = 2.5;
// A star shows another level only once its twinkle strays this far (in
// levels) from the one shown: a star overhead, barely twinkling, stays put
// rather than flickering across a rounding edge.
constexpr float kTwinkleHysteresis = 0.8f;
// Room for every point's change to be noted twice over between two reports;
// beyond it the frame is drawn whole.
constexpr size_t kChangesPerPoint = 4;
// Stars, planets and the moon are placed exactly this often, and moved along straight paths in between.
constexpr std::time_t kPathSeconds = 60;
// Stars this far below the horizon cannot rise into view before all are placed again.
constexpr float kNearViewHeight = -0.0174524f;  // the sine of -1 deg
// The sky turns 360 degrees in a sidereal day.
constexpr double kTurnDegPerSecond = 360.0 / 86164.1;
// The lines are drawn again once the sky turned this many pixels: they stop
// kLineGap short of their stars, so a line that lags its stars by so little
// still looks joined to them.
constexpr double kLineTurnPixels = 2.0;
// The glow, blurred over degrees, is drawn again only once the sky turned this many pixels.
constexpr double kGlowTurnPixels = 4.0;
// The Milky Way, blurred over degrees, is looked up every this many pixels (under a degree) and smoothed between.
constexpr int kGlowStep = 16;
// The glow fades into the haze over the lowest degrees.
constexpr double kGlowHorizonFadeDeg = 8.0;
// A point that moved no further than this is noted as one box round both places.
constexpr int kNearMovePixels = 2;
// Lines stop short of their stars, so the stars stand free.
constexpr float kLineGap = 5.0f;
constexpr int kNameWidth = 120;
constexpr int kNameHeight = 16;
constexpr float kNameFontPoints = 8.0f;
constexpr int kNameOffsetX = 6;
constexpr int kNameOffsetY = 2;

constexpr eSolarBody kPlanets[kRealSkyPlanetCount] = {eSolarBody::mercury, eSolarBody::venus,  eSolarBody::mars,
                                                      eSolarBody::jupiter, eSolarBody::saturn, eSolarBody::uranus,
                                                      eSolarBody::neptune};

// From the sine of the altitude, as a star's place holds it ("up").
float airmassAt(float sinAlt) {
    static const float kLowest = std::sin(0.5f * static_cast<float>(kDegToRad));
    return std::min(kMaxAirmass, 1.0f / std::max(sinAlt, kLowest));
}

float fraction(float v) { return v - std::floor(v); }

int levelIndex(float level) { return std::clamp(static_cast<int>(std::lround(level)), 0, cRealSkyPalette::kLevels - 1); }

// The square a point's picture of this radius fills.
keslRect<int> squareAround(int x, int y, int radius) {
    return keslRect<int>(y - radius, x - radius, 2 * radius + 1, 2 * radius + 1);
}

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

// The (east, north, up) direction a view pixel shows: the stereographic projection undone.
sVec3 directionOfPixel(const sSkyProjection& p, double x, double y) {
    const double a = (x - 0.5 * p.width) / (2.0 * p.scale);
    const double b = (p.height - y) / (2.0 * p.scale);
    const double rho2 = a * a + b * b;
    const double k = 1.0 / (1.0 + rho2);
    const sVec3 up{0.0, 0.0, 1.0};
    return k * ((1.0 - rho2) * p.forward + (2.0 * a) * p.right + (2.0 * b) * up);
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
    : TzerinSprite("realSky"), m_window(window), m_options(options) {
    m_width = window ? std::max(1, window->getClientWidth()) : 1;
    m_height = window ? std::max(1, window->getClientHeight()) : 1;
    m_projection = makeSkyProjection(m_width, m_height, options.place.latitudeDeg);
    buildLayer(options.background);
    m_glowColumns = m_width / kGlowStep + 2;
    m_glowRows = m_height / kGlowStep + 2;
    m_glow.assign(static_cast<size_t>(m_glowColumns) * static_cast<size_t>(m_glowRows), 0.0f);
    placeGlowGrid();
    m_visibleStars.reserve(m_stars.catalogue().starCount);
    m_starPaths.reserve(m_stars.catalogue().starCount);
    m_nearView.reserve(m_stars.catalogue().starCount);
    m_starCells = std::make_unique<cStarCells>(m_stars.catalogue().starCount);
    m_drawMarks.resize((m_stars.catalogue().starCount + 63) / 64);
    for (std::vector<std::uint16_t>& group : m_twinkleGroups) group.reserve(m_stars.catalogue().starCount);
    m_previousStars.reserve(m_stars.catalogue().starCount);
    m_visiblePlanets.reserve(kRealSkyPlanetCount);
    m_previousPlanets.reserve(kRealSkyPlanetCount);
    m_lines.reserve(m_stars.catalogue().segmentCount);
    // Besides the points, a band of the layer may change in strips.
    m_changes.reserve(kChangesPerPoint * (m_stars.catalogue().starCount + kRealSkyPlanetCount) +
                      m_layer->changesPerBand());
    if (options.names) buildNames();
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
                                              m_stars.catalogue().segmentCount);
}

void cRealSkySprite::buildNames() {
    const sStarCatalogue& catalogue = m_stars.catalogue();
    keslTextParams text;
    text.color = kNameColour;
    text.fontName = std::string(kDefaultFontName);
    text.fontSize = kNameFontPoints;
    auto nameImage = [&](const char* name) {
        auto image = std::make_unique<keslImage>();
        image->initWithSizeAndColor(kNameWidth, kNameHeight, cRealSkyPalette::kTransparentColor);
        image->drawText(0, 0, name, text);
        image->setTransparentColor(cRealSkyPalette::kTransparentColor);
        return image;
    };
    m_starNames.resize(catalogue.countBrighterThan(kNamedStarMagnitude));
    for (size_t i = 0; i < m_starNames.size(); ++i) {
        if (const char* name = catalogue.nameOf(i)) m_starNames[i] = nameImage(localised(name).c_str());
    }
    for (int p = 0; p < kRealSkyPlanetCount; ++p) {
        m_planetNames[static_cast<size_t>(p)] = nameImage(localised(solarBodyName(kPlanets[p])).c_str());
    }
}

void cRealSkySprite::calculateSize() {
    width = static_cast<float>(m_width);
    height = static_cast<float>(m_height);
    sizeValid = true;
}

void cRealSkySprite::update(float seconds) {
    TzerinSprite::update(seconds);
    m_animationSeconds += seconds;
    const std::time_t now = keslSystemServices().currentTime();
    if (now != m_turnedTo) turnTo(now);
    stepTwinkles();
    if (!m_layer->drawing()) return;
    for (const keslRect<int>& rect : m_layer->drawBand()) noteChange(rect);
}

void cRealSkySprite::stepTwinkles() {
    for (size_t g = 0; g < kTwinkleGroups; ++g) {
        // Between its steps a group's twinkle stands still: most frames pass over most stars.
        const double stagger = static_cast<double>(g) / static_cast<double>(kTwinkleGroups);
        const int step = static_cast<int>(std::floor(m_animationSeconds * kTwinkleStepsPerSecond + stagger));
        if (step == m_groupSteps[g]) continue;
        m_groupSteps[g] = step;
        for (const std::uint16_t index : m_twinkleGroups[g]) stepTwinkle(m_visibleStars[index]);
    }
}

void cRealSkySprite::stepTwinkle(sPoint& star) {
    const int step = twinkleStep(star);
    if (step == star.step) return;
    star.step = step;
    const float wanted = wantedLevel(star);
    if (std::fabs(wanted - static_cast<float>(star.shown)) < kTwinkleHysteresis) return;
    const int level = levelIndex(wanted);
    if (level == star.shown) return;
    const int r = std::max(m_palette.radius(level), m_palette.radius(star.shown));
    noteChange(squareAround(star.x, star.y, r));
    star.shown = static_cast<std::uint8_t>(level);
}

size_t cRealSkySprite::groupOf(const sPoint& point) {
    return std::min(kTwinkleGroups - 1, static_cast<size_t>(point.stagger * static_cast<float>(kTwinkleGroups) + 0.5f));
}

void cRealSkySprite::turnTo(std::time_t now) {
    m_turnedTo = now;
    // Whole minutes of the clock: a sky made at any second takes the same paths as one that ran through it.
    const std::time_t minute = now - ((now % kPathSeconds) + kPathSeconds) % kPathSeconds;
    if (minute != m_endsPlacedFor) placeEnds(minute);
    const sSkyFrame frame = makeSkyFrame(static_cast<double>(now), m_options.place);
    const bool layerDue = !m_layerValid || pixelsTurnedSince(frame, m_layerSiderealDeg) >= kLineTurnPixels;
    const float along = static_cast<float>(now - minute) / static_cast<float>(kPathSeconds);
    std::swap(m_visibleStars, m_previousStars);
    placeStars(along);
    std::swap(m_visiblePlanets, m_previousPlanets);
    placePlanets(along);
    placeMoon(along);
    // The lines join stars anywhere in the sky: every star is placed for them.
    if (layerDue && m_options.constellationLines) m_stars.compute(frame);
    if (layerDue) renderLayer(frame);
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
    const sSkyFrame start = makeSkyFrame(static_cast<double>(minute), m_options.place);
    const sSkyFrame end = makeSkyFrame(static_cast<double>(minute + kPathSeconds), m_options.place);
    placeStarEnds(start, end);
    placePlanetEnds(start, end);
    placeMoonEnds(start, end);
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
        noteChange(keslBoundingBox(squareOf(a), squareOf(b)));
        if (hasName(a, planets)) noteChange(keslBoundingBox(nameBoxOf(a), nameBoxOf(b)));
    }
}

keslRect<int> cRealSkySprite::squareOf(const sPoint& point) const {
    return squareAround(point.x, point.y, m_palette.radius(point.shown));
}

keslRect<int> cRealSkySprite::nameBoxOf(const sPoint& point) {
    return keslRect<int>(point.y + kNameOffsetY, point.x + kNameOffsetX, kNameWidth, kNameHeight);
}

void cRealSkySprite::notePoint(const sPoint& point, bool planets) {
    noteChange(squareOf(point));
    if (hasName(point, planets)) noteChange(nameBoxOf(point));
}

bool cRealSkySprite::hasName(const sPoint& point, bool planets) const {
    if (!m_options.names) return false;
    if (planets) return m_planetNames[point.star] != nullptr;
    return point.star < m_starNames.size() && m_starNames[point.star] != nullptr;
}

void cRealSkySprite::noteChange(const keslRect<int>& rect) {
    if (m_changes.size() < m_changes.capacity()) {
        m_changes.push_back(rect);
        return;
    }
    // Too much changed to list: the whole window is new.
    m_changes.clear();
    ++m_look;
}

void cRealSkySprite::reportChange(keslDirtyRegion& region) {
    TzerinSprite::reportChange(region);
    for (const keslRect<int>& rect : m_changes) region.add(rect);
    m_changes.clear();
}

void cRealSkySprite::placeStarEnds(const sSkyFrame& start, const sSkyFrame& end) {
    m_stars.compute(start);
    // What a star may travel within the minute, and its own radius.
    const float margin = static_cast<float>(2.0 * pixelsForTurn(kTurnDegPerSecond * kPathSeconds)) + 4.0f;
    m_nearView.clear();
    m_starPaths.clear();
    const sStarCatalogue& catalogue = m_stars.catalogue();
    const std::vector<sStarPlace>& places = m_stars.places();
    constexpr float kGroups = static_cast<float>(kTwinkleGroups);
    for (size_t i = 0; i < places.size(); ++i) {
        const sStarPlace& place = places[i];
        if (place.up <= kNearViewHeight) continue;
        float x = 0.0f, y = 0.0f;
        if (!projectDirection(m_projection, place.east, place.north, place.up, x, y)) continue;
        if (x < -margin || y < -margin || x > m_width + margin || y > m_height + margin) continue;
        m_nearView.push_back(static_cast<std::uint32_t>(i));
        const sCatalogueStar& star = catalogue.stars[i];
        // Fixed but unrelated phases and rates for each star, from its index.
        const float n = static_cast<float>(i);
        const sPoint point{0, 0, static_cast<std::uint8_t>(cRealSkyPalette::colourClassOfBv(star.bv)), 0.0f, 0.0f,
                           static_cast<std::uint16_t>(i), fraction(n * 0.618034f), fraction(n * 0.754878f),
                           0.5f + fraction(n * 0.569840f), 1.1f + 1.3f * fraction(n * 0.414214f),
                           std::floor(fraction(n * 0.236068f) * kGroups) / kGroups};
        m_starPaths.push_back({point, star.mag, x, y, place.up, 0.0f, 0.0f, 0.0f});
    }
    m_stars.compute(end, m_nearView);
    for (sPath& path : m_starPaths) {
        const sStarPlace& place = places[path.point.star];
        float x = 0.0f, y = 0.0f;
        if (!projectDirection(m_projection, place.east, place.north, place.up, x, y)) {
            // Turned away from the view within the minute: it stays off it.
            path.up0 = path.dup = -1.0f;
            continue;
        }
        path.dx = x - path.x0;
        path.dy = y - path.y0;
        path.dup = place.up - path.up0;
    }
}

bool cRealSkySprite::placeAlong(const sPath& path, float along, sPoint& point, float& airmass) const {
    const float up = path.up0 + along * path.dup;
    if (up <= 0.0f) return false;
    const float x = path.x0 + along * path.dx, y = path.y0 + along * path.dy;
    if (!isOnView(m_projection, x, y)) return false;
    airmass = airmassAt(up);
    point.x = static_cast<std::int16_t>(std::lround(x));
    point.y = static_cast<std::int16_t>(std::lround(y));
    point.level = cRealSkyPalette::levelOf(path.magnitude + kExtinctionPerAirmass * (airmass - 1.0f));
    return true;
}

void cRealSkySprite::placeStars(float along) {
    m_visibleStars.clear();
    for (std::vector<std::uint16_t>& group : m_twinkleGroups) group.clear();
    size_t before = 0;  // walks the last placing, which follows the catalogue's order too
    for (const sPath& path : m_starPaths) {
        sPoint point = path.point;
        float airmass = 1.0f;
        if (!placeAlong(path, along, point, airmass)) continue;
        const float twinkle = std::min(kMaxTwinkle, kTwinkleOverhead + kTwinklePerAirmass * (airmass - 1.0f));
        point.twinkleLevels = twinkle / cRealSkyPalette::kMagnitudesPerLevel;
        const std::uint16_t i = point.star;
        while (before < m_previousStars.size() && m_previousStars[before].star < i) ++before;
        if (before < m_previousStars.size() && m_previousStars[before].star == i) {
            // A star still in view keeps its twinkle where it stands, hysteresis and all.
            point.shown = m_previousStars[before].shown;
            point.step = m_previousStars[before].step;
        } else {
            point.shown = static_cast<std::uint8_t>(twinkledLevel(point));
            point.step = twinkleStep(point);
        }
        // A star that cannot stray past the hysteresis before the next placing need not step at all.
        if (std::fabs(point.level - static_cast<float>(point.shown)) + point.twinkleLevels >= kTwinkleHysteresis) {
            m_twinkleGroups[groupOf(point)].push_back(static_cast<std::uint16_t>(m_visibleStars.size()));
        }
        m_visibleStars.push_back(point);
    }
    m_starCells->invalidate();
}

void cRealSkySprite::placePlanetEnds(const sSkyFrame& start, const sSkyFrame& end) {
    for (int p = 0; p < kRealSkyPlanetCount; ++p) {
        sPath& path = m_planetPaths[static_cast<size_t>(p)];
        path.up0 = path.dup = -1.0f;
        float x[2] = {}, y[2] = {}, up[2] = {};
        bool seen = true;
        for (int e = 0; e < 2 && seen; ++e) {
            const sBodyPosition body = solarBodyPosition(kPlanets[p], e == 0 ? start : end);
            // As the report places it: the direction lifted by the air.
            const sVec3 d = unitVectorOf(90.0 - body.horizontal.azDeg, body.apparentAltDeg);
            seen = projectDirection(m_projection, static_cast<float>(d.x), static_cast<float>(d.y),
                                    static_cast<float>(d.z), x[e], y[e]);
            up[e] = static_cast<float>(d.z);
            if (e == 0) path.magnitude = static_cast<float>(body.mag);
        }
        if (!seen) continue;
        path.point = sPoint{0, 0, static_cast<std::uint8_t>(cRealSkyPalette::colourClassOfPlanet(p)), 0.0f, 0.0f,
                            static_cast<std::uint16_t>(p), 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        path.x0 = x[0];
        path.y0 = y[0];
        path.up0 = up[0];
        path.dx = x[1] - x[0];
        path.dy = y[1] - y[0];
        path.dup = up[1] - up[0];
    }
}

void cRealSkySprite::placePlanets(float along) {
    m_visiblePlanets.clear();
    for (const sPath& path : m_planetPaths) {
        sPoint point = path.point;
        float airmass = 1.0f;
        if (!placeAlong(path, along, point, airmass)) continue;
        point.shown = static_cast<std::uint8_t>(twinkledLevel(point));
        m_visiblePlanets.push_back(point);
    }
}

void cRealSkySprite::placeMoonEnds(const sSkyFrame& start, const sSkyFrame& end) {
    m_moonPath = {moonOnView(m_projection, start), moonOnView(m_projection, end)};
}

void cRealSkySprite::placeMoon(float along) {
    const sRealSkyMoon& start = m_moonPath.start;
    const sRealSkyMoon& end = m_moonPath.end;
    // Rising, setting or crossing the view's edge within the minute: it stands as at the nearer end.
    if (!start.onView || !end.onView) {
        m_moon = along < 0.5f ? start : end;
        return;
    }
    m_moon.onView = true;
    m_moon.x = start.x + along * (end.x - start.x);
    m_moon.y = start.y + along * (end.y - start.y);
    const float turn = static_cast<float>(normalizedDegrees(end.brightLimbDeg - start.brightLimbDeg + 180.0)) - 180.0f;
    m_moon.brightLimbDeg = static_cast<float>(normalizedDegrees(start.brightLimbDeg + along * turn));
}

double cRealSkySprite::pixelsTurnedSince(const sSkyFrame& frame, double siderealDeg) const {
    double turned = std::fabs(std::fmod(frame.localSiderealDeg - siderealDeg, 360.0));
    if (turned > 180.0) turned = 360.0 - turned;
    return pixelsForTurn(turned);
}

double cRealSkySprite::pixelsForTurn(double degrees) const {
    // A turn moves no point of the sky further than its angle, and the
    // stereographic view magnifies 1 + rho^2 times at rho from its centre
    // (the bottom edge's middle): the most at the top corners.
    const double a = 0.5 * m_projection.width / (2.0 * m_projection.scale);
    const double b = m_projection.height / (2.0 * m_projection.scale);
    return degrees * kDegToRad * m_projection.scale * (1.0 + a * a + b * b);
}

void cRealSkySprite::renderLayer(const sSkyFrame& frame) {
    m_layerSiderealDeg = frame.localSiderealDeg;
    ++m_layerRenders;
    if (!m_layerValid || pixelsTurnedSince(frame, m_glowSiderealDeg) >= kGlowTurnPixels) {
        m_glowSiderealDeg = frame.localSiderealDeg;
        renderGlow(frame);
    }
    collectLines();
    m_layer->begin(m_lines);
    if (m_layerValid) return;
    // The first layer is drawn at once, and the whole window with it: no point's own change need be listed.
    m_layerValid = true;
    m_layer->finish();
    ++m_look;
    m_changes.clear();
}

void cRealSkySprite::placeGlowGrid() {
    m_glowPoints.clear();
    m_glowPoints.reserve(m_glow.size());
    for (int gy = 0; gy < m_glowRows; ++gy) {
        for (int gx = 0; gx < m_glowColumns; ++gx) {
            const sVec3 d = directionOfPixel(m_projection, gx * kGlowStep, gy * kGlowStep);
            const double altDeg = d.z > 0.0 ? std::asin(std::min(1.0, d.z)) * kRadToDeg : 0.0;
            const double fade = std::min(1.0, altDeg / kGlowHorizonFadeDeg);
            m_glowPoints.push_back({static_cast<float>(d.x), static_cast<float>(d.y), static_cast<float>(d.z),
                                    static_cast<float>(fade)});
        }
    }
}

void cRealSkySprite::renderGlow(const sSkyFrame& frame) {
    // Single precision: the glow is blurred over degrees, and thirty thousand points want it quick.
    float m[3][3];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) m[i][j] = static_cast<float>(frame.j2000ToHorizon.m[j][i]);  // horizon to J2000
    }
    constexpr float kToDeg = static_cast<float>(kRadToDeg);
    for (size_t i = 0; i < m_glowPoints.size(); ++i) {
        const sGlowPoint& p = m_glowPoints[i];
        if (p.fade <= 0.0f) {
            m_glow[i] = 0.0f;
            continue;
        }
        const float x = m[0][0] * p.east + m[0][1] * p.north + m[0][2] * p.up;
        const float y = m[1][0] * p.east + m[1][1] * p.north + m[1][2] * p.up;
        const float z = m[2][0] * p.east + m[2][1] * p.north + m[2][2] * p.up;
        const float ra = std::atan2(y, x) * kToDeg;
        const float dec = std::asin(std::clamp(z, -1.0f, 1.0f)) * kToDeg;
        m_glow[i] = m_milkyWay.brightnessAt(ra, dec) * p.fade;
    }
    m_layer->setGlow(m_glow, m_glowColumns, kGlowStep);
}

void cRealSkySprite::collectLines() {
    m_lines.clear();
    if (!m_options.constellationLines) return;
    const sStarCatalogue& catalogue = m_stars.catalogue();
    const std::vector<sStarPlace>& places = m_stars.places();
    const float margin = static_cast<float>(std::max(m_width, m_height));
    for (size_t s = 0; s < catalogue.segmentCount; ++s) {
        const sStarPlace& a = places[catalogue.segments[s].from];
        const sStarPlace& b = places[catalogue.segments[s].to];
        if (a.up <= 0.0f && b.up <= 0.0f) continue;
        float x0, y0, x1, y1;
        if (!projectDirection(m_projection, a.east, a.north, a.up, x0, y0) ||
            !projectDirection(m_projection, b.east, b.north, b.up, x1, y1)) {
            continue;
        }
        // Far off the view the plane stretches; such a line is not on screen anyway.
        if (std::fabs(x0 - m_width / 2.0f) > 2 * margin || std::fabs(x1 - m_width / 2.0f) > 2 * margin ||
            std::fabs(y0) > 2 * margin || std::fabs(y1) > 2 * margin) {
            continue;
        }
        const float length = std::hypot(x1 - x0, y1 - y0);
        if (length <= 2.0f * kLineGap) continue;
        const float ux = (x1 - x0) / length, uy = (y1 - y0) / length;
        m_lines.push_back({x0 + ux * kLineGap, y0 + uy * kLineGap, x1 - ux * kLineGap, y1 - uy * kLineGap});
    }
}

int cRealSkySprite::twinkleStep(const sPoint& point) const {
    return static_cast<int>(std::floor(m_animationSeconds * kTwinkleStepsPerSecond + point.stagger));
}

float cRealSkySprite::twinkleOffset(const sPoint& point) const {
    const double t = static_cast<double>(twinkleStep(point)) / kTwinkleStepsPerSecond;
    return 0.6f * sineOfTurns(point.phase1 + point.rate1 * t) + 0.4f * sineOfTurns(point.phase2 + point.rate2 * t);
}

int cRealSkySprite::twinkledLevel(const sPoint& point) const {
    return levelIndex(wantedLevel(point));
}

float cRealSkySprite::wantedLevel(const sPoint& point) const {
    return point.level + point.twinkleLevels * twinkleOffset(point);
}

void cRealSkySprite::drawPoint(const sPoint& point) {
    // The window passes over a point outside the frame's changes; drawStars asks only those near them.
    const int r = m_palette.radius(point.shown);
    m_palette.image(point.colourClass, point.shown).drawOn(m_renderWindowPtr, point.x - r, point.y - r);
}

keslRect<int> cRealSkySprite::coverage() {
    if (!m_renderWindowPtr) return {};
    return keslRect<int>(0, 0, m_renderWindowPtr->getClientWidth(), m_renderWindowPtr->getClientHeight());
}

void cRealSkySprite::draw() {
    if (!m_renderWindowPtr) return;
    m_layer->drawOn(*m_renderWindowPtr);
    drawStars();
    for (const sPoint& planet : m_visiblePlanets) drawPoint(planet);
    if (!m_options.names) return;
    for (const sPoint& star : m_visibleStars) {
        if (star.star < m_starNames.size() && m_starNames[star.star]) {
            m_starNames[star.star]->drawOn(m_renderWindowPtr, star.x + kNameOffsetX, star.y + kNameOffsetY);
        }
    }
    for (const sPoint& planet : m_visiblePlanets) {
        m_planetNames[planet.star]->drawOn(m_renderWindowPtr, planet.x + kNameOffsetX, planet.y + kNameOffsetY);
    }
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
