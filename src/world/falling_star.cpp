#include "world/falling_star.h"

#include "platform/window.h"
#include "sprites/random.h"
#include "util/log.h"

#include <algorithm>
#include <cmath>

namespace {
// Directions between 18 and 162 degrees from the x axis: always downwards,
// never close to horizontal.
constexpr float kSteepestAngle = 2.826f;
constexpr float kAngleRange = 2.512f;
constexpr float kSlowestShare = 0.8f;
constexpr float kFastestShare = 1.2f;
// The tail is a hundredth of the (capped) width.
constexpr float kTailDivisor = 100.0f;
constexpr float kStartY = 10.0f;
constexpr float kShortestWaitShare = 0.6f;
constexpr float kLongestWaitShare = 1.5f;
constexpr int kHeadLineWidth = 3;
constexpr int kTailLineWidth = 1;
// The three segments span a fifth, two thirds and all of the tail vector.
constexpr float kHeadTailDivisor = 5.0f;
constexpr float kMiddleTailDivisor = 1.5f;

int roundToPixel(float value) { return static_cast<int>(value + 0.5f); }
}  // namespace

cFallingStar::cFallingStar() : TzerinSprite("FallingStar") {}

void cFallingStar::calculateSize() {
    width = 1.0f;
    height = 1.0f;
    sizeValid = true;
}

void cFallingStar::launch() {
    if (!m_renderWindowPtr) return;
    const int windowWidth = m_renderWindowPtr->getClientWidth();
    const int windowHeight = m_renderWindowPtr->getClientHeight();
    const float cappedWidth = static_cast<float>(std::min(windowWidth, kWidthCap));
    const float meanSpeed = cappedWidth / m_crossingTime;

    // One seed gives one sky only if the draws keep their order: angle, speed, column, wait.
    const float angle = kSteepestAngle - keslRandomUnit() * kAngleRange;
    const float speed = keslRandomFloat(kSlowestShare * meanSpeed, kFastestShare * meanSpeed);
    const float tailLength = cappedWidth / kTailDivisor;
    m_cosine = std::cos(angle);
    m_sine = std::sin(angle);
    speedX = m_cosine * speed;
    speedY = m_sine * speed;
    m_tailX = -tailLength * m_cosine;
    m_tailY = -tailLength * m_sine;

    x = static_cast<float>(static_cast<int>(keslRandomUnit() * static_cast<float>(windowWidth)));
    y = kStartY;
    // Shift the start so that the estimated end of the fall stays in the window.
    const int endColumn = static_cast<int>(m_cosine * static_cast<float>(windowHeight) + x);
    logInfo("falling star xEnd:%i", endColumn);
    if (endColumn > windowWidth) {
        x -= static_cast<float>(endColumn - windowWidth);
    } else if (endColumn < 0) {
        x -= static_cast<float>(endColumn);
    }

    m_launched = true;
    m_wait = keslRandomFloat(kShortestWaitShare * m_interval, kLongestWaitShare * m_interval);
}

void cFallingStar::update(float seconds) {
    if (!m_renderWindowPtr) return;
    if (!m_launched) launch();
    if (m_wait > 0.0f) {
        m_wait -= seconds;
        return;
    }
    TzerinSprite::update(seconds);
    if (y > static_cast<float>(m_renderWindowPtr->getClientHeight())) launch();
}

keslRect<int> cFallingStar::coverage() {
    if (!m_renderWindowPtr || !m_launched || m_wait > 0.0f) return {};
    const float endX = x + m_tailX / kHeadTailDivisor + m_tailX / kMiddleTailDivisor + m_tailX;
    const float endY = y + m_tailY / kHeadTailDivisor + m_tailY / kMiddleTailDivisor + m_tailY;
    const int reach = kHeadLineWidth / 2 + 2;
    const int left = std::min(roundToPixel(x), roundToPixel(endX)) - reach;
    const int top = std::min(roundToPixel(y), roundToPixel(endY)) - reach;
    const int right = std::max(roundToPixel(x), roundToPixel(endX)) + reach + 1;
    const int bottom = std::max(roundToPixel(y), roundToPixel(endY)) + reach + 1;
    return keslRect<int>(top, left, right - left, bottom - top);
}

void cFallingStar::draw() {
    if (!m_renderWindowPtr || !m_launched || m_wait > 0.0f) return;
    // Thick and warm at the head, thin and fading to amber towards the tail.
    const float headEndX = x + m_tailX / kHeadTailDivisor;
    const float headEndY = y + m_tailY / kHeadTailDivisor;
    const float middleEndX = headEndX + m_tailX / kMiddleTailDivisor;
    const float middleEndY = headEndY + m_tailY / kMiddleTailDivisor;
    drawSegment(x, y, headEndX, headEndY, kHeadLineWidth, kHeadColor);
    drawSegment(headEndX, headEndY, middleEndX, middleEndY, kTailLineWidth, kHeadColor);
    drawSegment(middleEndX, middleEndY, middleEndX + m_tailX, middleEndY + m_tailY, kTailLineWidth, kTailColor);
}

void cFallingStar::drawSegment(float x1, float y1, float x2, float y2, int lineWidth, keslColor color) {
    m_renderWindowPtr->drawLine(roundToPixel(x1), roundToPixel(y1), roundToPixel(x2), roundToPixel(y2), lineWidth,
                                color);
}
