// The real sky over the user's place, in place of the random star field and
// the background: the catalogue's stars sized and coloured by magnitude and
// B-V, twinkling more the nearer the horizon, the planets steady in their
// colours, and behind them a layer holding the background's base, the
// Milky Way's glow, the faint constellation lines. The sky turns with the
// clock of the system services. Stars, planets and the moon are placed
// exactly at each whole minute and at the next; in between, each clock
// second moves them along the straight path between the two, which over a
// minute's quarter degree strays by no more than a hundredth of a pixel.
// Only the stars on or near the view have paths (none can cross the margin
// within the minute); all are placed whenever the lines are drawn.
// The layer is drawn again when the sky has turned by two pixels, a band a
// frame; the glow, blurred over many pixels, only every few pixels. Each star
// steps its twinkle a few times a second, at one of sixteen moments, so a frame
// reports only the stars whose picture changed and the layer's changed
// strips; the whole window only for the first layer. A frame allocates nothing.
#pragma once

#include "astro/moon_on_view.h"
#include "astro/sky_frame.h"
#include "astro/sky_projection.h"
#include "astro/solar_system.h"
#include "astro/star_positions.h"
#include "platform/image.h"
#include "sprites/sprite.h"
#include "world/milky_way_map.h"
#include "world/real_sky_layer.h"
#include "world/real_sky_palette.h"
#include "world/star_cells.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

class keslWindow;

struct sRealSkyOptions {
    int background = 3;  // the "background" setting: its base stays, the starry tiles give way to black
    bool constellationLines = true;
    bool names = false;
    sPlace place;
};

// Where the moon stands on the view and which way its lit side faces.
using sRealSkyMoon = sMoonOnView;

class cRealSkySprite : public TzerinSprite {
public:
    static constexpr keslColor kBlackBase = 0x000000FFu;  // the starry image's own base
    static constexpr keslColor kNameColour = 0x7F8CA8FFu;
    static constexpr float kNamedStarMagnitude = 1.6f;

    cRealSkySprite(keslWindow* window, const sRealSkyOptions& options);

    void update(float seconds) override;
    void draw() override;
    void calculateSize() override;
    // The whole window: the layer is the background. It looks new only when the first layer was drawn.
    keslRect<int> coverage() override;
    std::uint64_t appearance() override { return m_look; }
    // Each point of light whose picture changed or moved, and what the layer's last band changed.
    void reportChange(keslDirtyRegion& region) override;

    // Turns the sky to a moment; update does this whenever the clock's second changes.
    void turnTo(std::time_t now);

    const sRealSkyMoon& moon() const { return m_moon; }
    const sSkyProjection& projection() const { return m_projection; }
    // How often the layer has been begun anew: once at the start, then once per pixel the sky turns.
    int layerRenders() const { return m_layerRenders; }
    size_t visibleStars() const { return m_visibleStars.size(); }
    // Calls visit(catalogue index, x, y) for each star on the view, in catalogue order.
    template <typename Visit>
    void visitVisibleStars(Visit&& visit) const {
        for (const sPoint& star : m_visibleStars) visit(star.star, star.x, star.y);
    }

private:
    struct sPoint {
        std::int16_t x;
        std::int16_t y;
        std::uint8_t colourClass;
        float level;          // steady brightness level
        float twinkleLevels;  // amplitude of the twinkle, in levels
        std::uint16_t star;   // catalogue index, or planet number
        // The star's own flicker: two waves, their phases in turns and rates in turns per second.
        float phase1, phase2, rate1, rate2;
        float stagger;  // in turns of a twinkle step: when this star steps, one of a few moments
        std::uint8_t shown = 0;  // the palette level drawn
        std::int32_t step = -1;  // the twinkle step shown was worked out for
    };

    void buildLayer(int background);
    void buildNames();
    // Places everything at a whole minute and at the next, for the paths between.
    void placeEnds(std::time_t minute);
    void placeStarEnds(const sSkyFrame& start, const sSkyFrame& end);
    void placePlanetEnds(const sSkyFrame& start, const sSkyFrame& end);
    void placeMoonEnds(const sSkyFrame& start, const sSkyFrame& end);
    // Along the paths, a share of the way from the minute's start to its end.
    void placeStars(float along);
    void placePlanets(float along);
    void placeMoon(float along);
    // The most a point of the view may have moved since the sky stood at that sidereal angle.
    double pixelsTurnedSince(const sSkyFrame& frame, double siderealDeg) const;
    // The most a point of the view may move while the sky turns this many degrees.
    double pixelsForTurn(double degrees) const;
    void renderLayer(const sSkyFrame& frame);
    // Where each point of the glow's grid looks: fixed, as the view is.
    void placeGlowGrid();
    void renderGlow(const sSkyFrame& frame);
    void collectLines();
    void drawPoint(const sPoint& point);
    // Those under a frame's changes, or all of them in a whole frame, in catalogue order.
    void drawStars();
    int twinkleStep(const sPoint& point) const;
    float twinkleOffset(const sPoint& point) const;
    // The level the twinkle asks for now, before rounding and hysteresis.
    float wantedLevel(const sPoint& point) const;
    int twinkledLevel(const sPoint& point) const;
    void stepTwinkles();
    void stepTwinkle(sPoint& star);
    static size_t groupOf(const sPoint& point);
    // Notes every point that moved, changed or came and went between two placings.
    void noteMoves(const std::vector<sPoint>& before, const std::vector<sPoint>& after, bool planets);
    void notePoint(const sPoint& point, bool planets);
    keslRect<int> squareOf(const sPoint& point) const;
    static keslRect<int> nameBoxOf(const sPoint& point);
    void noteChange(const keslRect<int>& rect);
    bool hasName(const sPoint& point, bool planets) const;

    keslWindow* m_window;
    sRealSkyOptions m_options;
    int m_width = 0;
    int m_height = 0;
    sSkyProjection m_projection;
    cStarPositions m_stars;
    cRealSkyPalette m_palette;
    cMilkyWayMap m_milkyWay;
    std::unique_ptr<cRealSkyLayer> m_layer;
    std::vector<cRealSkyLayer::sLine> m_lines;  // of the layer being drawn
    std::vector<float> m_glow;      // the Milky Way on a coarse grid
    struct sGlowPoint {
        float east, north, up;
        float fade;  // toward the haze of the horizon; 0 below it
    };
    std::vector<sGlowPoint> m_glowPoints;
    int m_glowColumns = 0;
    int m_glowRows = 0;
    std::vector<sPoint> m_visibleStars;
    std::unique_ptr<cStarCells> m_starCells;  // of m_visibleStars
    std::vector<std::uint64_t> m_drawMarks;   // a bit per visible star under the frame's changes
    // A point's way over a minute, in window pixels and in the sine of its
    // altitude; the point holds what stays: its colour and its twinkle's phases and rates.
    struct sPath {
        sPoint point;
        float magnitude;  // before the air dims it
        float x0, y0, up0;
        float dx, dy, dup;
    };
    // Where the path has its point a share of the way along, with its level
    // and the airmass there; false when below the horizon or off the view.
    bool placeAlong(const sPath& path, float along, sPoint& point, float& airmass) const;
    std::vector<sPath> m_starPaths;  // in catalogue order
    std::array<sPath, kRealSkyPlanetCount> m_planetPaths{};
    struct sMoonPath {
        sRealSkyMoon start, end;
    };
    sMoonPath m_moonPath;
    std::vector<sPoint> m_visiblePlanets;
    // The placings before the last, kept to see what moved; swapped, never reallocated.
    std::vector<sPoint> m_previousStars;
    std::vector<sPoint> m_previousPlanets;
    std::vector<keslRect<int>> m_changes;  // since the last report
    std::uint64_t m_look = 0;
    std::vector<std::unique_ptr<keslImage>> m_starNames;  // by catalogue index, for the brightest
    std::array<std::unique_ptr<keslImage>, kRealSkyPlanetCount> m_planetNames;
    sRealSkyMoon m_moon;
    std::time_t m_turnedTo = -1;
    // Catalogue indices of the stars above the horizon's haze and on or near the view, in order.
    std::vector<std::uint32_t> m_nearView;
    std::time_t m_endsPlacedFor = -1;  // the minute the paths start at
    bool m_layerValid = false;
    bool m_warnedElements = false;
    double m_layerSiderealDeg = 0.0;
    double m_glowSiderealDeg = 0.0;
    int m_layerRenders = 0;
    // In double: a float adding 0.04 s a frame stands still after twelve days.
    double m_animationSeconds = 0.0;
    // Stars step their twinkles at one of this many moments a step: a frame
    // looks only at the stars whose moment came.
    static constexpr size_t kTwinkleGroups = 16;
    std::array<std::vector<std::uint16_t>, kTwinkleGroups> m_twinkleGroups;  // indices into m_visibleStars
    std::array<int, kTwinkleGroups> m_groupSteps{};
};
