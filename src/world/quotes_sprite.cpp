#include "world/quotes_sprite.h"

#include "quotes/quotes.h"
#include "sprites/random.h"
#include "system/rect_ops.h"
#include "util/exception_guard.h"
#include "util/file_system.h"
#include "util/log.h"
#include "util/log_guards.h"
#include "world/moon_info_sprite.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

// Touching edges count as overlapping, unlike keslOverlaps: a quote flush
// against the moon or its label would read as part of it.
bool touchesOrOverlaps(const keslRect<float>& a, const keslRect<float>& b) {
    return !(a.top > b.getBottom() || a.getBottom() < b.top || a.left > b.getRight() || a.getRight() < b.left);
}

bool isObstacle(const keslRect<float>& r) { return r.width > 0.0f && r.height > 0.0f; }

float overlapArea(const keslRect<float>& a, const keslRect<float>& b) {
    const keslRect<float> both = keslIntersection(a, b);
    return both.width * both.height;
}

keslRect<float> widened(const keslRect<float>& r, float by) {
    return keslRect<float>(r.top - by, r.left - by, r.width + 2.0f * by, r.height + 2.0f * by);
}

// Updates of a fade: in by 2 levels from 0 to 100 and one more to hold; out
// by 12 to 0 and one more to finish.
constexpr int kFadeInUpdates = cSpriteTextDimming::kFullLevel / cSpriteTextDimming::kFadeInStep + 1;
constexpr int kFadeOutUpdates =
    (cSpriteTextDimming::kFullLevel + cSpriteTextDimming::kFadeOutStep - 1) / cSpriteTextDimming::kFadeOutStep + 1;

// Where the sprite is drawn. An aligned text sprite draws left of its
// rectangle (a centred one ends at x, a right-aligned one a width earlier
// still), so its rectangle alone would keep quotes off the wrong place.
keslRect<float> obstacleRect(const TzerinSprite* sprite) {
    if (!sprite || !sprite->isVisible()) return {};
    float shift = 0.0f;
    const auto* text = dynamic_cast<const TzerinSpriteText*>(sprite);
    if (text && text->textParams.alignment == kSpriteAlignCentre) shift = sprite->width;
    if (text && text->textParams.alignment == kSpriteAlignRight) shift = 2.0f * sprite->width;
    return keslRect<float>(sprite->top, sprite->left - shift, sprite->width, sprite->height);
}

}  // namespace

cQuotesSprite::cQuotesSprite(const char* name, keslColor baseColor) : cSpriteTextDimming_linkedList(name, baseColor) {}

cQuotes& cQuotesSprite::quotes() { return m_quotes ? *m_quotes : cQuotes::get(); }

void cQuotesSprite::setQuoteArea(const keslRect<int>& main) {
    quoteArea = keslRect<float>(static_cast<float>(main.top + kAreaInsetTop), static_cast<float>(main.left + kAreaInsetLeft),
                                static_cast<float>(main.width - kAreaInsetWidth),
                                static_cast<float>(main.height - kAreaInsetHeight));
    m_bounceTop = static_cast<float>(main.top);
}

void cQuotesSprite::setObstacles(const TzerinSprite* moon, const cMoonInfoSprite* moonInfoLabel) {
    m_moon = moon;
    m_moonInfoLabel = moonInfoLabel;
    refreshObstacles();
}

void cQuotesSprite::refreshObstacles() {
    moonRect = obstacleRect(m_moon);
    moonInfoRect = obstacleRect(m_moonInfoLabel);
    if (!isObstacle(moonInfoRect)) return;
    // The label's lines take turns: it is as wide as the widest, about its middle.
    const float widest = std::max(moonInfoRect.width, m_moonInfoLabel->widestLineWidth());
    moonInfoRect.left += (moonInfoRect.width - widest) * 0.5f;
    moonInfoRect.width = widest;
}

void cQuotesSprite::update(float seconds) {
    if (seconds > 0.0f) m_stepSeconds = seconds;
    if (initialDelay > 0.0f) {
        initialDelay -= seconds;
        return;
    }
    cSpriteTextDimming_linkedList::update(seconds);
    if (!quoteFinished()) {
        quoteGap = kQuoteGapSeconds;
        if (!showNow) return;
    } else {
        quoteGap -= seconds;
        if (quoteGap > 0.0f && !showNow) return;
    }
    showNextQuote();
}

bool cQuotesSprite::quoteFinished() const {
    if (lastLine().dimState != kDone) return false;
    // A short last line may run out of time before a long line above it has
    // vanished; the next quote waits for that line rather than cutting it off.
    for (const cSpriteTextDimming_linkedList* line = this; line; line = line->nextLine.get()) {
        if (line->dimState != kDone && line->dimState != kIdle) return false;
    }
    return true;
}

void cQuotesSprite::showNextQuote() {
    logFunctionLife life("cQuotesSprite.showNextQuote()");
    getNextQuote();
    // The rise is chosen first: the place must stay clear all the way up.
    speedY = -(keslRandomUnit() * kDriftRange + kDriftLow);
    selectRandomPosition();
    startFadeIn(0);
    showNow = false;
}

void cQuotesSprite::getNextQuote() {
    std::string text;
    runGuarded(kChoiceContext, [&] { text = quotes().getRandom(allowedCategories); });
    if (!text.empty()) {
        setLines(keslFileSystemMini::splitByBar(text), m_renderWindowPtr);
    } else {
        setText("");
    }
    calculateSize();
}

int cQuotesSprite::selectRandomPosition() {
    logInfo("selecting random position for quote:%s", getText().c_str());
    refreshObstacles();
    const float seconds = showSeconds();
    float bestLeft = left;
    float bestTop = top;
    float bestCovered = std::numeric_limits<float>::max();
    bool bestInside = false;
    for (int placements = 1; placements <= kPlacements; ++placements) {
        left = keslRandomFloat(quoteArea.left + kPlacementMargin, quoteArea.getRight() - width);
        top = keslRandomFloat(quoteArea.top + kPlacementMargin, quoteArea.getBottom() - height);
        chainRect.left = left;
        chainRect.top = top;
        const float covered = coveredObstacleArea(sweptRect(left, top, seconds), seconds);
        const bool inside = !outsideArea();
        if (covered < 0.0f && inside) return placements;
        // Lines off the monitor are worse than lines over the moon: a place
        // inside the area beats any outside it (which also covers less, being
        // partly off the sky), and the least covering wins among the rest.
        if ((inside && !bestInside) || (inside == bestInside && covered < bestCovered)) {
            bestCovered = covered;
            bestInside = inside;
            bestLeft = left;
            bestTop = top;
        }
    }
    left = chainRect.left = bestLeft;
    top = chainRect.top = bestTop;
    logInfo("no place keeps the quote clear of the moon and its label: the least covering of %i tries taken",
            kPlacements);
    return kPlacements;
}

float cQuotesSprite::showSeconds() const {
    const float fadeIn = static_cast<float>(kFadeInUpdates) * m_stepSeconds;
    const float fadeOut = static_cast<float>(kFadeOutUpdates) * m_stepSeconds;
    // Each line grows in once the one above is full, and starts vanishing
    // when its hold is over and the one above has vanished.
    float lineStart = 0.0f;
    float aboveGone = 0.0f;
    std::int32_t minimumHoldMs = 0;
    for (const cSpriteTextDimming_linkedList* line = this; line; line = line->nextLine.get()) {
        const float hold = static_cast<float>(holdTimeFor(line->getText().size(), minimumHoldMs)) / 1000.0f;
        aboveGone = std::max(lineStart + fadeIn + hold, aboveGone) + fadeOut;
        lineStart += fadeIn;
        minimumHoldMs = kLaterLineMinimumHoldMs;
    }
    return aboveGone;
}

keslRect<float> cQuotesSprite::sweptRect(float atLeft, float atTop, float seconds) const {
    const float grownWidth = chainRect.width * kLargestDrawnGrowth;
    const float grownHeight = chainRect.height + height * (kLargestDrawnGrowth - 1.0f);
    const float travel = std::fabs(speedY) * seconds;
    if (speedY > 0.0f) return keslRect<float>(atTop, atLeft, grownWidth, travel + grownHeight);
    // Rising, the quote bounces off the monitor's top and comes down again.
    const float bounceTop = m_bounceTop - kBounceSlack;
    const float highest = std::max(bounceTop, atTop - travel);
    const float lowest = std::max(atTop, bounceTop + (travel - (atTop - bounceTop)));
    return keslRect<float>(highest, atLeft, grownWidth, lowest - highest + grownHeight);
}

// Negative when the quote stays clear of both obstacles (touching counts as
// covering); otherwise how much of them it covers.
float cQuotesSprite::coveredObstacleArea(const keslRect<float>& swept, float seconds) const {
    // The moon drifts, and its label with it.
    const float drift = m_moon ? std::fabs(m_moon->speedX) * seconds + std::fabs(m_moon->speedY) * seconds : 0.0f;
    float covered = -1.0f;
    for (const keslRect<float>* obstacle : {&moonRect, &moonInfoRect}) {
        if (!isObstacle(*obstacle)) continue;
        const keslRect<float> reach = widened(*obstacle, drift);
        if (!touchesOrOverlaps(swept, reach)) continue;
        covered = std::max(covered, 0.0f) + overlapArea(swept, reach);
    }
    return covered;
}

bool cQuotesSprite::outsideArea() const {
    return !keslContains(quoteArea, chainRect);
}
