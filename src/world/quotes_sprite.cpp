#include "world/quotes_sprite.h"

#include "quotes/quotes.h"
#include "sprites/random.h"
#include "util/exception_guard.h"
#include "util/file_system.h"
#include "util/log.h"
#include "util/log_guards.h"

#include <string>

namespace {

// Touching edges count as overlapping.
bool overlap(const keslRect<float>& a, const keslRect<float>& b) {
    return !(a.top > b.getBottom() || a.getBottom() < b.top || a.left > b.getRight() || a.getRight() < b.left);
}

bool isObstacle(const keslRect<float>& r) { return r.width > 0.0f && r.height > 0.0f; }

// Where the sprite is drawn. An aligned text sprite draws left of its
// rectangle (a centred one ends at x, a right-aligned one a width earlier
// still), so its rectangle alone would keep quotes off the wrong place.
keslRect<float> obstacleRect(const TzerinSprite* sprite) {
    if (!sprite || !sprite->isVisible()) return {};
    float shift = 0.0f;
    if (sprite->textParams.alignment == kSpriteAlignCentre) shift = sprite->width;
    if (sprite->textParams.alignment == kSpriteAlignRight) shift = 2.0f * sprite->width;
    return keslRect<float>(sprite->top, sprite->left - shift, sprite->width, sprite->height);
}

}  // namespace

cQuotesSprite::cQuotesSprite(const char* name, keslColor baseColor) : cSpriteTextDimming_linkedList(name, baseColor) {}

cQuotes& cQuotesSprite::quotes() { return m_quotes ? *m_quotes : cQuotes::get(); }

void cQuotesSprite::setQuoteArea(const keslRect<int>& main) {
    quoteArea = keslRect<float>(static_cast<float>(main.top + kAreaInsetTop), static_cast<float>(main.left + kAreaInsetLeft),
                                static_cast<float>(main.width - kAreaInsetWidth),
                                static_cast<float>(main.height - kAreaInsetHeight));
}

void cQuotesSprite::setObstacles(const TzerinSprite* moon, const TzerinSprite* moonInfoLabel) {
    m_moon = moon;
    m_moonInfoLabel = moonInfoLabel;
    refreshObstacles();
}

void cQuotesSprite::refreshObstacles() {
    moonRect = obstacleRect(m_moon);
    moonInfoRect = obstacleRect(m_moonInfoLabel);
}

void cQuotesSprite::update(float seconds) {
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
    selectRandomPosition();
    speedY = -(keslRandomUnit() * kDriftRange + kDriftLow);
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
    int placements = 0;
    do {
        ++placements;
        left = keslRandomFloat(quoteArea.left + kPlacementMargin, quoteArea.getRight() - width);
        top = keslRandomFloat(quoteArea.top + kPlacementMargin, quoteArea.getBottom() - height);
        chainRect.left = left;
        chainRect.top = top;
    } while (placements < kPlacements && placementRejected());
    return placements;
}

bool cQuotesSprite::placementRejected() const {
    if (isObstacle(moonRect) && overlap(chainRect, moonRect)) return true;
    if (isObstacle(moonInfoRect) && overlap(chainRect, moonInfoRect)) return true;
    return chainRect.left < quoteArea.left || chainRect.top < quoteArea.top ||
           chainRect.getBottom() > quoteArea.getBottom() || chainRect.getRight() > quoteArea.getRight();
}
