// A text of several lines that fade one after another: each line is a fading
// text that owns the line below it. A line starts growing in when the one
// above has reached full brightness, and starts vanishing when the one above
// has vanished, so a quote is read and forgotten line by line.
#pragma once

#include "system/rect.h"
#include "world/sprite_text_dimming.h"

#include <memory>
#include <string>
#include <vector>

class keslWindow;

class cSpriteTextDimming_linkedList : public cSpriteTextDimming {
public:
    static constexpr const char* kLineName = "cSpriteTextDimming_linkedList";
    // A fixed pitch: a line's own height changes while it fades.
    static constexpr float kLinePitch = 28.0f;
    static constexpr std::int32_t kLaterLineMinimumHoldMs = 1500;
    // Lines at this level or below are too dim and too small to draw.
    static constexpr std::int32_t kHighestHiddenLevel = 20;

    cSpriteTextDimming_linkedList(const char* name, keslColor baseColor);
    ~cSpriteTextDimming_linkedList() override = default;

    void draw() override;
    void calculateSize() override;
    void update(float seconds) override;
    // The chain's: every line that draws is part of this sprite's picture.
    keslRect<int> coverage() override;
    std::uint64_t appearance() override;

    // This sprite shows the first line; the others become a new chain below it.
    void setLines(const std::vector<std::string>& lines, keslWindow* window);

    // The lowest line of the chain (this one when it stands alone).
    const cSpriteTextDimming_linkedList& lastLine() const;
    // How many lines the chain holds, this one included.
    int lineCount() const;

    std::unique_ptr<cSpriteTextDimming_linkedList> nextLine;
    // Where the whole chain stands: this line's corner, the widest line's
    // width, down to the bottom of the last line at the line pitch.
    keslRect<float> chainRect;

private:
    void stepChain(float seconds);
    bool drawsOwnLine() const { return dimLevel > kHighestHiddenLevel && isVisible(); }
};
