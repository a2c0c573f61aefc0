// How the sky over a place is laid onto a view: facing the equator (south
// from the northern hemisphere, north from the southern), the horizon along
// the bottom edge and about 70 deg of altitude at the top edge's middle.
// Stereographic, so shapes stay true and constellations look as they do
// outside; the projection touches the sphere where the horizon meets the
// facing direction, at the middle of the bottom edge, which keeps the
// horizon a straight line. Width adds horizontal field at the same scale: a
// 16:9 view spans about 128 deg along the horizon, 111 deg at mid-height and
// 83 deg along the top (about 100 deg across on average); a panorama of
// several monitors simply spans more.
#pragma once

#include "astro/sky_frame.h"

// Altitude at the middle of the top edge.
constexpr double kSkyViewTopAltitudeDeg = 70.0;

struct sSkyProjection {
    int width = 0;
    int height = 0;
    double facingAzimuthDeg = 180.0;
    // Pixels per unit of the stereographic plane.
    double scale = 1.0;
    // Unit vectors (east, north, up): the facing direction on the horizon and
    // the one to its right.
    sVec3 forward;
    sVec3 right;
};

sSkyProjection makeSkyProjection(int width, int height, double latitudeDeg);

// Pixel position (x right, y down, may lie outside the view) of a unit
// (east, north, up) direction; false for the directions behind the viewer
// that the projection cannot place (within 0.1 deg of straight behind).
bool projectDirection(const sSkyProjection& projection, float east, float north, float up, float& x, float& y);
bool projectAltAz(const sSkyProjection& projection, double altDeg, double azDeg, float& x, float& y);

// Whether a pixel position lies on the view.
bool isOnView(const sSkyProjection& projection, float x, float y);

// The unit (east, north, up) direction a view pixel shows: the stereographic projection undone.
sVec3 directionOfPixel(const sSkyProjection& projection, double x, double y);
// The most a point of the view may move while the sky turns this many degrees.
double pixelsForTurn(const sSkyProjection& projection, double degrees);
