#include "world/sprite_text_dimming_linked.h"

#include "sprites/sprite_look.h"
#include "system/rect_ops.h"

#include <algorithm>
#include <cstdint>

cSpriteTextDimming_linkedList::cSpriteTextDimming_linkedList(const char* name, keslColor baseColor)
    : cSpriteTextDimming(name, baseColor) {}

void cSpriteTextDimming_linkedList::update(float seconds) {
    cSpriteTextDimming::update(seconds);
    stepChain(seconds);
}

void cSpriteTextDimming_linkedList::stepChain(float seconds) {
    if (!nextLine) return;
    nextLine->left = left;
    nextLine->top = top + kLinePitch;
    nextLine->update(seconds);
    if (dimState == kHolding && nextLine->dimState == kIdle) nextLine->startFadeIn(kLaterLineMinimumHoldMs);
    if (dimState == kDone && nextLine->dimState == kHolding) nextLine->startFadeOut();
}

keslRect<int> cSpriteTextDimming_linkedList::coverage() {
    keslRect<int> covered;
    for (cSpriteTextDimming_linkedList* line = this; line; line = line->nextLine.get()) {
        if (line->drawsOwnLine()) covered = keslBoundingBox(covered, line->TzerinSpriteText::coverage());
    }
    return covered;
}

std::uint64_t cSpriteTextDimming_linkedList::appearance() {
    std::uint64_t look = 0;
    for (cSpriteTextDimming_linkedList* line = this; line; line = line->nextLine.get()) {
        look = keslMixLook(look, static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(line)));
        if (line->drawsOwnLine()) look = keslMixLook(look, line->TzerinSpriteText::appearance());
    }
    return look;
}

void cSpriteTextDimming_linkedList::draw() {
    if (drawsOwnLine()) TzerinSpriteText::draw();
    if (nextLine) nextLine->draw();
}

void cSpriteTextDimming_linkedList::calculateSize() {
    TzerinSpriteText::calculateSize();
    chainRect = keslRect<float>(top, left, width, height);
    if (!nextLine) return;
    nextLine->calculateSize();
    chainRect.width = std::max(chainRect.width, nextLine->chainRect.width);
    chainRect.height = std::max(chainRect.height, kLinePitch + nextLine->chainRect.height);
}

void cSpriteTextDimming_linkedList::setLines(const std::vector<std::string>& lines, keslWindow* window) {
    setRenderWindow(window);
    nextLine.reset();
    // A new quote is measured at full size, whatever size the last one vanished at.
    textParams.fontSize = baseFontSize;
    if (lines.empty()) return;
    // Built line by line rather than by recursion: a user's line may hold
    // hundreds of "|".
    cSpriteTextDimming_linkedList* line = this;
    line->setText(lines.front().c_str());
    for (size_t i = 1; i < lines.size(); ++i) {
        line->nextLine = std::make_unique<cSpriteTextDimming_linkedList>(kLineName, baseColor);
        line = line->nextLine.get();
        line->setRenderWindow(window);
        line->setText(lines[i].c_str());
    }
    calculateSize();
}

const cSpriteTextDimming_linkedList& cSpriteTextDimming_linkedList::lastLine() const {
    const cSpriteTextDimming_linkedList* line = this;
    while (line->nextLine) line = line->nextLine.get();
    return *line;
}

int cSpriteTextDimming_linkedList::lineCount() const {
    int count = 1;
    for (const cSpriteTextDimming_linkedList* line = this; line->nextLine; line = line->nextLine.get()) ++count;
    return count;
}
