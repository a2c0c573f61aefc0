// The sun, where it stands when it is on the view: a small white disc of its
// true size on the view and a soft glow round it, warmer and redder as it
// nears the horizon. Drawn by lightening the sky under it, so its glow fades
// into the blue without an edge. The picture is painted again only when the
// sun's colour has moved on, into the same memory.
#pragma once

#include "platform/pixels.h"
#include "system/rect.h"

#include <vector>

class keslWindow;

class cRealSkySun {
public:
    // Sized for a view of this height and this many pixels per radian at its middle.
    cRealSkySun(int viewHeight, double pixelsPerRadian);

    // Where the sun's centre stands on the view and its apparent altitude;
    // shown false when it is below the horizon or off the view. True when
    // what is drawn changed: the old box and the new one want drawing.
    bool place(bool shown, int x, int y, double apparentAltDeg);
    bool shown() const { return m_shown; }
    // The square its picture fills, where it stands and where it would stand at (x, y).
    keslRect<int> box() const { return boxAt(m_x, m_y); }
    keslRect<int> boxAt(int x, int y) const;
    int discRadius() const { return m_discRadius; }
    void draw(keslWindow& window) const;

private:
    void paint(double apparentAltDeg);

    int m_discRadius;
    int m_glowRadius;
    std::vector<keslPixel> m_pixels;
    double m_paintedAltDeg = -90.0;
    bool m_shown = false;
    int m_x = 0;
    int m_y = 0;
};
