#include "astro/deep_sky_catalogue.h"

const char* deepSkyGroupName(eDeepSkyKind kind) {
    switch (kind) {
        case eDeepSkyKind::galaxy: return "galaxy";
        case eDeepSkyKind::openCluster:
        case eDeepSkyKind::globularCluster: return "cluster";
        default: return "nebula";
    }
}

const char* deepSkyClassName(eDeepSkyKind kind) {
    switch (kind) {
        case eDeepSkyKind::galaxy: return "galaxy";
        case eDeepSkyKind::openCluster: return "open cluster";
        case eDeepSkyKind::globularCluster: return "globular cluster";
        case eDeepSkyKind::brightNebula: return "bright nebula";
        case eDeepSkyKind::reflectionNebula: return "reflection nebula";
        case eDeepSkyKind::planetaryNebula: return "planetary nebula";
        case eDeepSkyKind::supernovaRemnant: return "supernova remnant";
    }
    return "nebula";
}
