// The real sky over the user's place, in place of the random star field and
// the background: the catalogue's stars sized and coloured by magnitude and
// B-V, twinkling more the nearer the horizon, the planets steady in their
// colours, and behind them a layer holding the background's base, the
// Milky Way's glow, the brightest deep-sky objects' soft patches, the faint
// constellation lines. The sky turns with the clock of the system services.
// Stars, planets and the moon are placed
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
// The parts live beside it: the paths (real_sky_paths), the twinkle
// (real_sky_twinkle), the list of changes (change_ledger), the glow's grid
// (milky_way_map), the moon's path (real_sky_moon), the names
// (real_sky_labels), the figures' lines (real_sky_lines), the deep-sky
// objects' patches (real_sky_patches) and the meteor showers' falling stars
// and names (real_sky_meteors, real_sky_shower_names); the sprite wires them
// to the clock and the window.
// Each moment's sky comes from the astronomy in one snapshot. By day and in
// twilight the sky takes its colour from the sun (real_sky_daylight), the
// sun is drawn where it stands (real_sky_sun), and the stars and planets
// fade by their magnitude as the sky brightens; the sky's colours are drawn
// again, a band a frame, whenever the sun has moved a little.
#pragma once

#include "astro/moon_on_view.h"
#include "astro/sky_frame.h"
#include "astro/sky_projection.h"
#include "astro/sky_snapshot.h"
#include "astro/star_positions.h"
#include "platform/image.h"
#include "sprites/sprite.h"
#include "world/change_ledger.h"
#include "world/milky_way_map.h"
#include "world/real_sky_labels.h"
#include "world/real_sky_layer.h"
#include "world/real_sky_meteors.h"
#include "world/real_sky_shower_names.h"
#include "world/real_sky_moon.h"
#include "world/real_sky_palette.h"
#include "world/real_sky_patches.h"
#include "world/real_sky_paths.h"
#include "world/real_sky_point.h"
#include "world/real_sky_daylight.h"
#include "world/real_sky_sun.h"
#include "world/real_sky_twinkle.h"
#include "world/star_cells.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

class keslWindow;

struct sRealSkyOptions {
    int background = 3;  // the "background" setting: its base stays, the starry tiles give way to black
    bool constellationLines = true;
    bool names = false;
    // The night's look at any hour: no day or twilight colours, no sun, every star.
    bool alwaysNight = false;
    sPlace place;
};

// Where the moon stands on the view and which way its lit side faces.
using sRealSkyMoon = sMoonOnView;

class cRealSkySprite : public TzerinSprite {
public:
    static constexpr keslColor kBlackBase = 0x000000FFu;  // the starry image's own base
    static constexpr keslColor kNameColour = cRealSkyLabels::kColour;
    static constexpr float kNamedStarMagnitude = cRealSkyLabels::kNamedStarMagnitude;

    cRealSkySprite(keslWindow* window, const sRealSkyOptions& options);

    void update(float seconds) override;
    void draw() override;
    void calculateSize() override;
    // The whole window: the layer is the background. It looks new only when the first layer was drawn.
    keslRect<int> coverage() override;
    std::uint64_t appearance() override { return m_changes.look(); }
    // Each point of light whose picture changed or moved, and what the layer's last band changed.
    void reportChange(keslDirtyRegion& region) override;

    // Turns the sky to a moment; update does this whenever the clock's second changes.
    void turnTo(std::time_t now);

    const sRealSkyMoon& moon() const { return m_moon; }
    // How light the sky is now, as the sky's colours were last drawn for.
    const sSkyLight& light() const { return m_light; }
    const cRealSkySun& sun() const { return m_sun; }
    const sSkyProjection& projection() const { return m_projection; }
    const cRealSkyMeteors& meteors() const { return m_meteors; }
    const cRealSkyShowerNames& showerNames() const { return m_showerNames; }
    // How often the layer has been begun anew: once at the start, then once per pixel the sky turns.
    int layerRenders() const { return m_layerRenders; }
    size_t visibleStars() const { return m_visibleStars.size(); }
    // With names on: each constellation's name on the view, by catalogue index and centre.
    const cRealSkyLabels& labels() const { return m_labels; }
    // Calls visit(catalogue index, x, y) for each star on the view, in catalogue order.
    template <typename Visit>
    void visitVisibleStars(Visit&& visit) const {
        for (const sRealSkyPoint& star : m_visibleStars) visit(star.star, star.x, star.y);
    }

private:
    using sPoint = sRealSkyPoint;

    void buildLayer(int background);
    // Places everything at a whole minute and at the next, for the paths between.
    void placeEnds(std::time_t minute);
    // The most a point of the view may have moved since the sky stood at that sidereal angle.
    double pixelsTurnedSince(const sSkyFrame& frame, double siderealDeg) const;
    void renderLayer(const sSkySnapshot& sky, bool daylightDue);
    void placeConstellationNames(const sSkyFrame& frame);
    // The sky's colour at every point of the glow's grid, for the sun now.
    void paintDaylight(const sSkySnapshot& sky);
    // Whether the sun has moved enough since the sky's colours were drawn to draw them again.
    bool daylightDue(const sSkySnapshot& sky) const;
    void placeSun(float along);
    // The showers' radiants and rates for the meteors, under the sky's light or the night's, and their names.
    void watchShowers(const sSkySnapshot& sky);
    void drawPoint(const sPoint& point);
    // Those under a frame's changes, or all of them in a whole frame, in catalogue order.
    void drawStars();
    // Notes every point that moved, changed or came and went between two placings.
    void noteMoves(const std::vector<sPoint>& before, const std::vector<sPoint>& after, bool planets);
    void notePoint(const sPoint& point, bool planets);
    keslRect<int> squareOf(const sPoint& point) const;

    keslWindow* m_window;
    sRealSkyOptions m_options;
    int m_width;
    int m_height;
    sSkyProjection m_projection;
    cStarPositions m_stars;
    cRealSkyPalette m_palette;
    cMilkyWayMap m_milkyWay;
    cMilkyWayGlowGrid m_glow;
    cRealSkyPaths m_paths;
    cRealSkyTwinkle m_twinkle;
    cChangeLedger m_changes;
    cRealSkyLabels m_labels;
    std::unique_ptr<cRealSkyLayer> m_layer;
    std::vector<cRealSkyLayer::sLine> m_lines;  // of the layer being drawn
    cRealSkyPatches m_deepSky;
    std::vector<cRealSkyLayer::sPatch> m_patches;  // of the layer being drawn
    std::vector<sPoint> m_visibleStars;
    std::unique_ptr<cStarCells> m_starCells;  // of m_visibleStars
    std::vector<std::uint64_t> m_drawMarks;   // a bit per visible star under the frame's changes
    std::vector<sPoint> m_visiblePlanets;
    // The placings before the last, kept to see what moved; swapped, never reallocated.
    std::vector<sPoint> m_previousStars;
    std::vector<sPoint> m_previousPlanets;
    sMoonPath m_moonPath;
    sRealSkyMoon m_moon;
    cRealSkyDaylight m_daylight;
    sSkyLight m_light;                   // as the sky's colours were last drawn for
    std::vector<float> m_daylightColours;  // on the glow's grid, three a point
    std::vector<float> m_fadedGlow;        // the glow, faded as the sky brightens
    cRealSkySun m_sun;
    cRealSkyMeteors m_meteors;
    cRealSkyShowerNames m_showerNames;
    // The sun's way over the minute, as the moon's.
    struct sSunPath {
        bool shown[2] = {false, false};
        float x[2] = {0.0f, 0.0f}, y[2] = {0.0f, 0.0f};
        double altDeg[2] = {-90.0, -90.0};
    };
    sSunPath m_sunPath;
    std::time_t m_turnedTo = -1;
    std::time_t m_endsPlacedFor = -1;  // the minute the paths start at
    bool m_layerValid = false;
    bool m_warnedElements = false;
    double m_layerSiderealDeg = 0.0;
    double m_glowSiderealDeg = 0.0;
    int m_layerRenders = 0;
};
