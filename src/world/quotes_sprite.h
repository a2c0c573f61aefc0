// The quotes label: one quote at a time somewhere in the sky, away from the
// moon and its label, drifting slowly upwards while its lines fade in and out.
// The first quote waits a few seconds after start; each later one follows a
// few seconds after the last line of the previous one has vanished.
#pragma once

#include "system/rect.h"
#include "world/sprite_text_dimming_linked.h"

#include <cstdint>
#include <vector>

class cQuotes;
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

    cQuotesSprite(const char* name, keslColor baseColor);
    ~cQuotesSprite() override = default;

    void update(float seconds) override;

    // The main monitor's rectangle, in window coordinates.
    void setQuoteArea(const keslRect<int>& mainMonitorRect);
    // Sprites a quote must not cover (the moon and its label), borrowed and
    // looked at afresh for every quote because the moon drifts; an aligned
    // text counts where it is drawn. A null, hidden or empty sprite is no
    // obstacle.
    void setObstacles(const TzerinSprite* moon, const TzerinSprite* moonInfoLabel);
    // The collection to choose from; the process's own unless a test hands one in.
    void setQuoteSource(cQuotes& quotes) { m_quotes = &quotes; }

    // Chooses the next quote and lays its lines out.
    void getNextQuote();
    // Places the quote at random inside the area, away from the obstacles;
    // returns how many placements it took.
    int selectRandomPosition();
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
    bool placementRejected() const;
    cQuotes& quotes();

    const TzerinSprite* m_moon = nullptr;
    const TzerinSprite* m_moonInfoLabel = nullptr;
    cQuotes* m_quotes = nullptr;
};
