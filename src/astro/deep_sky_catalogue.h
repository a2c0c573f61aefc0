// The brightest deep-sky objects, built into the program beside the stars:
// galaxies, clusters and nebulae to about magnitude 6, each with its J2000
// centre, magnitude, size and, for the clearly elongated big galaxies, the
// position angle of its major axis. The table is generated once
// (tools/star_catalogue/make_deep_sky.py), never read from a file.
#pragma once

#include <cstddef>
#include <cstdint>

enum class eDeepSkyKind : std::uint8_t {
    galaxy,
    openCluster,
    globularCluster,
    brightNebula,  // emission nebulae and star-forming regions
    reflectionNebula,
    planetaryNebula,
    supernovaRemnant,
};

// The position angle of an object drawn round: the data gives none.
constexpr float kNoPositionAngle = -1.0f;

struct sDeepSkyObject {
    float raDeg;   // J2000
    float decDeg;
    float mag;     // visual, of the whole object
    float majorArcmin;
    float minorArcmin;       // as the major axis for a round object
    float positionAngleDeg;  // of the major axis, from north through east; kNoPositionAngle when unknown
    eDeepSkyKind kind;
    const char* designation;  // "M 31", "NGC 6231"
    const char* name;         // the English proper name (UTF-8), or empty

    bool hasPositionAngle() const { return positionAngleDeg >= 0.0f; }
    // The proper name, or the designation when it has none.
    const char* displayName() const { return name && *name ? name : designation; }
};

struct sDeepSkyCatalogue {
    const sDeepSkyObject* objects;  // brightest first
    std::size_t count;
};

const sDeepSkyCatalogue& builtInDeepSkyCatalogue();

// "galaxy", "cluster" or "nebula".
const char* deepSkyGroupName(eDeepSkyKind kind);
// The finer class: "open cluster", "emission nebula", ...
const char* deepSkyClassName(eDeepSkyKind kind);
