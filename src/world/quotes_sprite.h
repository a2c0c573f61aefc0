// The quotes label: one quote at a time somewhere in the sky, away from the
// moon and its label, drifting slowly upwards while its lines fade in and out.
// A quote is placed where it stays clear of them for as long as it shows,
// rising and growing as it vanishes, not only where it starts.
// The first quote waits a few seconds after start; each later one follows a
// few seconds after the last line of the previous one has vanished.
#pragma once

#include "system/rect.h"
#include "world/sprite_text_dimming_linked.h"

#include <cstdint>
#include <vector>

class cQuotes;
class cMoonInfoSprite;
class TzerinSprite;

class cQuotesSprite : public cSpriteTextDimming_linkedList {
public:
    static constexpr keslColor kLabelColor = 0xDEB887FFu;
    static constexpr float kInitialDelaySeconds = 5.0f;
    static constexpr float kFirstQuoteGapSeconds = 10.0f;
    static constexpr float kQuoteGapSeconds = 3.0f;
    // The quote area inside the main monitor, and the margin a quote keeps inside it.
    static constexpr int kAreaInsetTop = 20;
    static constexpr int kAreaInsetLeft = 10;
    static constexpr int kAreaInsetWidth = 20;
    static constexpr int kAreaInsetHeight = 40;
    static constexpr float kPlacementMargin = 20.0f;
    // The last placement is taken as it comes, so a crowded sky never stalls a frame.
    static constexpr int kPlacements = 11;
    // Upward drift in pixels per second: kDriftLow plus up to kDriftRange.
    static constexpr float kDriftLow = 7.0f;
    static constexpr float kDriftRange = 5.0f;
    static constexpr const char* kChoiceContext = "getNextQuote() exception";
    // Until the first update tells the frame step, the hosts' 40 ms is assumed.
    static constexpr float kAssumedStepSeconds = 0.04f;
    // A line is drawn above level 20 only, so it vanishes at under 1.8 times its size.
    static constexpr float kLargestDrawnGrowth = 1.8f;
    // The bounce at the monitor's top is checked every third move: a pixel or two late.
    static constexpr float kBounceSlack = 2.0f;

    cQuotesSprite(const char* name, keslColor baseColor);
    ~cQuotesSprite() override = default;

    void update(float seconds) override;

    // The main monitor's rectangle, in window coordinates.
    void setQuoteArea(const keslRect<int>& mainMonitorRect);
    // Sprites a quote must not cover (the moon and its label), borrowed and
    // looked at afresh for every quote because the moon drifts; the label
    // counts as wide as its widest line, where it is drawn. A null, hidden or
    // empty sprite is no obstacle.
    void setObstacles(const TzerinSprite* moon, const cMoonInfoSprite* moonInfoLabel);
    // The collection to choose from; the process's own unless a test hands one in.
    void setQuoteSource(cQuotes& quotes) { m_quotes = &quotes; }

    // Chooses the next quote and lays its lines out.
    void getNextQuote();
    // Places the quote at random inside the area, where it stays clear of the
    // obstacles while it shows; after the last try, the try that covers the
    // least of them. Returns how many placements it took.
    int selectRandomPosition();
    // Seconds from the start of the quote's fade-in until its last line has vanished.
    float showSeconds() const;
    // Everything the quote may cover while it shows when placed at left, top:
    // its lines, grown as they vanish, over the whole rise.
    keslRect<float> sweptRect(float atLeft, float atTop, float seconds) const;
    // The last line has vanished and no line is still on screen.
    bool quoteFinished() const;

    bool showNow = true;
    float initialDelay = kInitialDelaySeconds;
    float quoteGap = kFirstQuoteGapSeconds;
    std::vector<std::int32_t> allowedCategories;
    keslRect<float> quoteArea;
    keslRect<float> moonRect;
    keslRect<float> moonInfoRect;

private:
    void showNextQuote();
    void refreshObstacles();
    bool outsideArea() const;
    float coveredObstacleArea(const keslRect<float>& swept, float seconds) const;
    cQuotes& quotes();

    const TzerinSprite* m_moon = nullptr;
    const cMoonInfoSprite* m_moonInfoLabel = nullptr;
    float m_bounceTop = 0.0f;
    float m_stepSeconds = kAssumedStepSeconds;
    cQuotes* m_quotes = nullptr;
};
