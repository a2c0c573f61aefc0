#include "world/moon_sprite.h"

#include "platform/window.h"
#include "settings/app_settings.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// The dark side keeps a tenth of its red and green and three tenths of its
// blue, so the unlit part shows as a faint bluish disc.
constexpr float kDarkRedGreen = 0.1f;
constexpr float kDarkBlue = 0.3f;
// Keeps arccos inside its domain when a limb pixel rounds to +-1.
constexpr double kChordRatioLimit = 0.999999999999;
// 180 / 3.1415: the picture was tuned with this pi, so keep it.
constexpr double kDegreesPerRadian = 57.29746936176985;
constexpr float kPi = 3.1415f;
constexpr int kHalfTurn = 180;
constexpr int kQuarterTurn = 90;
constexpr int kFullTurn = 360;

}  // namespace

cMoonSprite::cMoonSprite() : TzerinSpriteImage_ownedImg("moonSprite") {}

int cMoonSprite::resourceIdFor(int moonSize, bool preview) {
    if (preview) return kSmallBitmap;
    switch (moonSize) {
    case 50:
        return kSmallBitmap;
    case 200:
        return kLargeBitmap;
    case 300:
        return kHugeBitmap;
    default:
        return kMediumBitmap;
    }
}

namespace {

constexpr int kNoPhaseYet = -1;
// The phase every moon of the process is lit for.
std::atomic<int> processLightingPhase{kNoPhaseYet};

}  // namespace

int cMoonSprite::lightingPhase(int phaseDegreesNow) {
    int expected = kNoPhaseYet;
    processLightingPhase.compare_exchange_strong(expected, phaseDegreesNow);
    return processLightingPhase.load();
}

bool cMoonSprite::initializeMoon(bool preview, const cMoonSettings& settings, int phaseDegrees, keslWindow* window,
                                 const keslRect<int>& mainMonitorRect) {
    if (!settings.showMoon.get()) {
        logInfo("moon is disabled");
        disable();
        return false;
    }
    m_resourceId = resourceIdFor(settings.moonSize.get(), preview);
    if (!loadBitmap(m_resourceId)) return false;
    setRenderWindow(window);
    light(lightingPhase(phaseDegrees));
    placeInside(mainMonitorRect);
    speedX = kDriftSpeed;
    restrictionsEnabled = true;
    return true;
}

void cMoonSprite::setSkyLit(bool lit) {
    if (lit == m_skyLit) return;
    m_skyLit = lit;
    markChanged();
}

void cMoonSprite::draw() {
    if (m_skyLit && disabledCount <= 0 && m_renderWindowPtr) {
        const keslPixelView pixels = ownedImage().pixelView();
        if (pixels && m_renderWindowPtr->lightenPixels(static_cast<int>(x), static_cast<int>(y), pixels)) return;
    }
    TzerinSpriteImage_ownedImg::draw();
}

bool cMoonSprite::relight(int phaseDegrees) {
    if (m_resourceId == 0) return false;
    // Darkening works on the photograph, so it is loaded afresh; an image
    // takes a bitmap only once, so the photograph's pixels are copied over.
    keslImage photograph;
    if (!photograph.initWithResource_impl(m_resourceId)) return false;
    keslImage& image = ownedImage();
    const int copyWidth = std::min(photograph.getWidth(), image.getWidth());
    const int copyHeight = std::min(photograph.getHeight(), image.getHeight());
    for (int y = 0; y < copyHeight; ++y) {
        for (int x = 0; x < copyWidth; ++x) image.setPixel(x, y, photograph.getPixel(x, y));
    }
    processLightingPhase.store(phaseDegrees);
    light(phaseDegrees);
    return true;
}

void cMoonSprite::light(int phaseDegrees) {
    {
        logTimeCountrer timing("cMoonSprite.illuminate() classic", "Entering", "Exiting");
        logInfo("moon size:%ipx", static_cast<int>(width));
        illuminateAtPhase(phaseDegrees);
    }
    useCornerAsTransparentColor();
}

bool cMoonSprite::loadBitmap(int resourceId) {
    sizeValid = false;
    if (!ownedImage().initWithResource_impl(resourceId)) {
        disable();
        return false;
    }
    calculateSize();
    return true;
}

void cMoonSprite::illuminateAtPhase(int phaseDegrees) {
    keslImage& image = ownedImage();
    const int imageWidth = image.getWidth();
    const int imageHeight = image.getHeight();
    const int middleRow = imageHeight / 2;
    // The disc is symmetric about its middle row: light the top half and mirror it.
    for (int x = 0; x < imageWidth; ++x) {
        for (int y = 0; y <= middleRow; ++y) {
            const float v = moonPixelBrightness(x, y, imageWidth, phaseDegrees);
            const float redGreen = v > kDarkRedGreen ? v : kDarkRedGreen;
            const float blue = v > kDarkBlue ? v : kDarkBlue;
            image.multiplyPixel(x, y, redGreen, redGreen, blue);
            if (y < middleRow) image.multiplyPixel(x, imageHeight - y, redGreen, redGreen, blue);
        }
    }
}

void cMoonSprite::useCornerAsTransparentColor() {
    // A corner lies outside the disc, so it holds the darkened key green.
    ownedImage().setTransparentColor(ownedImage().getPixel(0, 0));
}

void cMoonSprite::placeInside(const keslRect<int>& mainMonitorRect) {
    const keslPoint<float> topLeft{static_cast<float>(mainMonitorRect.left),
                             static_cast<float>(mainMonitorRect.top) + kTopMargin};
    // The box is the monitor's own: a neighbour left of or above it shifts its edges.
    const keslPoint<float> bottomRight{static_cast<float>(mainMonitorRect.getRight()) - width,
                                       static_cast<float>(mainMonitorRect.top) + height + kBottomMargin};
    setRandomPosition(topLeft, bottomRight);
}

float moonPixelBrightness(int x, int y, int width, int phaseDegrees) {
    const int signedPhase = phaseDegrees <= kHalfTurn ? phaseDegrees : phaseDegrees - kFullTurn;
    const int r = static_cast<int>(static_cast<float>(width) * 0.5f);
    const int dx = x - r;
    const int dy = y - r;
    if (dx * dx + dy * dy > r * r) return 0.0f;
    // Half the chord of the disc at this row.
    const float rSquared = static_cast<float>(r) * static_cast<float>(r);
    const float dySquared = static_cast<float>(dy) * static_cast<float>(dy);
    const double halfChord = std::sqrt(static_cast<double>(rSquared) + 0.001 - static_cast<double>(dySquared));
    double q = static_cast<float>(static_cast<double>(dx) / halfChord);
    q = std::clamp(q, -kChordRatioLimit, kChordRatioLimit);
    // Longitude on the visible hemisphere: 0 at the right limb, 180 at the left.
    const int longitude = static_cast<int>(std::acos(q) * kDegreesPerRadian);
    const int k = longitude - signedPhase - kQuarterTurn;
    const float angle = static_cast<float>(k) * kPi / static_cast<float>(kHalfTurn);
    const float b = std::cos(angle);
    return std::sqrt(std::max(0.0f, b));
}
