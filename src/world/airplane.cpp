#include "world/airplane.h"

#include "platform/window.h"
#include "sprites/random.h"

#include <cmath>

namespace {
constexpr float kFullTurn = 6.28f;
constexpr float kQuarterTurn = 1.57f;
// Headings strictly inside these ranges point within 45 degrees of straight
// down (y grows downwards) or straight up.
constexpr float kDownwardsFrom = 0.785f;
constexpr float kDownwardsTo = 2.355f;
constexpr float kUpwardsFrom = 3.925f;
constexpr float kUpwardsTo = 5.495f;
constexpr float kSlowestShare = 0.8f;
constexpr float kFastestShare = 1.2f;
// The light is a 3 x 2 box round the body's left pixel.
constexpr int kLightWidth = 3;
constexpr int kLightHeight = 2;
}  // namespace

cAirplane::cAirplane() : TzerinSprite("Airplane") {
    m_blinkClock = keslRandomFloat(0.0f, kDarkSeconds);
    const float heading = levelHeading(keslRandomFloat(0.0f, kFullTurn));
    const float speed = keslRandomFloat(kSlowestShare * m_cruiseSpeed, kFastestShare * m_cruiseSpeed);
    speedX = std::cos(heading) * speed;
    speedY = std::sin(heading) * speed;
}

float cAirplane::levelHeading(float heading) {
    const bool steep = (heading > kDownwardsFrom && heading < kDownwardsTo) ||
                       (heading > kUpwardsFrom && heading < kUpwardsTo);
    return steep ? heading - kQuarterTurn : heading;
}

void cAirplane::calculateSize() {
    width = 1.0f;
    height = 1.0f;
    sizeValid = true;
}

void cAirplane::update(float seconds) {
    if (!m_placed && m_renderWindowPtr) placeInWindow();
    advanceBlink(seconds);
    TzerinSprite::update(seconds);
}

void cAirplane::placeInWindow() {
    x = static_cast<float>(
        static_cast<int>(keslRandomUnit() * static_cast<float>(m_renderWindowPtr->getClientWidth())));
    y = static_cast<float>(
        static_cast<int>(keslRandomUnit() * static_cast<float>(m_renderWindowPtr->getClientHeight())));
    m_placed = true;
}

void cAirplane::advanceBlink(float seconds) {
    m_blinkClock += seconds;
    m_lightOn = m_blinkClock > m_darkDuration;
    if (m_blinkClock >= m_flashDuration + m_darkDuration) m_blinkClock = 0.0f;
}

keslRect<int> cAirplane::coverage() {
    if (!m_renderWindowPtr) return {};
    return keslRect<int>(static_cast<int>(y) - 1, static_cast<int>(x) - 1, kLightWidth, kLightHeight);
}

void cAirplane::draw() {
    if (!m_renderWindowPtr) return;
    const int column = static_cast<int>(x);
    const int row = static_cast<int>(y);
    if (m_lightOn) {
        m_renderWindowPtr->fillRect(keslRect<int>(row - 1, column - 1, kLightWidth, kLightHeight), kLightColor);
        return;
    }
    m_renderWindowPtr->setPixel(column + 1, row, kBodyColor);
    m_renderWindowPtr->setPixel(column, row, kBodyColor);
}
