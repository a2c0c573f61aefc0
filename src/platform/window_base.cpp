#include "platform/window_base.h"

keslTextParams keslWindowBase::textParamsInForce(bool withColorAndAlignment) const {
    keslTextParams params;
    if (withColorAndAlignment) {
        params.color = getTextColor();
        params.alignment = getAlignment();
    }
    params.fontName = getFontName();
    params.fontSize = getFontSize();
    params.characterExtra = getCharacterExtra();
    params.nonAntialiased = getNonAntialiased();
    params.thin = getThin();
    return params;
}
