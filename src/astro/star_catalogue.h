// The sky's fixed furniture, built into the program: every star to magnitude
// 6.0 with its J2000 position, magnitude and colour index, the proper names
// of the brighter ones, the constellation figures as pairs of those stars
// and the places of their names, and the Milky Way as outlines of five
// brightness bands. The tables are generated once (tools/star_catalogue) and
// never read from a file, so the sky cannot go missing.
#pragma once

#include <cstddef>
#include <cstdint>

struct sCatalogueStar {
    float raDeg;   // J2000 right ascension, 0..360
    float decDeg;  // J2000 declination
    float mag;     // visual magnitude
    float bv;      // B-V colour index
};

struct sCatalogueName {
    std::uint16_t star;  // index into the stars
    const char* name;    // UTF-8
};

// A line of a constellation figure between two stars (indices into the stars).
struct sFigureSegment {
    std::uint16_t from;
    std::uint16_t to;
};

struct sSkyPoint {
    float raDeg;
    float decDeg;
};

// One closed outline of a Milky Way band; level 1 is the faintest, outermost
// band, 5 the brightest core. Inner outlines of a band are holes in it.
struct sMilkyWayRing {
    std::uint8_t level;
    std::uint16_t first;  // index of its first point
    std::uint16_t count;
};

// Where a constellation's name stands (J2000), its IAU name (the key of its
// translations), how bright its figure's brightest star is, and its rank:
// 1 for the great and famous, 3 for the small and faint.
struct sCatalogueConstellation {
    float raDeg;
    float decDeg;
    float brightestMag;
    std::uint8_t rank;
    const char* name;
};

struct sStarCatalogue {
    // Brightest first: every star brighter than m is a prefix.
    const sCatalogueStar* stars;
    std::size_t starCount;
    const sCatalogueName* names;
    std::size_t nameCount;
    const sFigureSegment* segments;
    std::size_t segmentCount;
    const sSkyPoint* milkyWayPoints;
    const sMilkyWayRing* milkyWayRings;
    std::size_t milkyWayRingCount;
    const sCatalogueConstellation* constellations;
    std::size_t constellationCount;

    // The number of leading stars brighter than mag.
    std::size_t countBrighterThan(float mag) const;
    // The star's proper name, or nullptr when it has none.
    const char* nameOf(std::size_t star) const;
};

const sStarCatalogue& builtInStarCatalogue();
