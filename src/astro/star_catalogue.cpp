#include "astro/star_catalogue.h"

#include <algorithm>

std::size_t sStarCatalogue::countBrighterThan(float mag) const {
    const sCatalogueStar* end =
        std::lower_bound(stars, stars + starCount, mag, [](const sCatalogueStar& s, float m) { return s.mag < m; });
    return static_cast<std::size_t>(end - stars);
}

const char* sStarCatalogue::nameOf(std::size_t star) const {
    const sCatalogueName* end = names + nameCount;
    const sCatalogueName* found = std::find_if(names, end, [star](const sCatalogueName& n) { return n.star == star; });
    return found == end ? nullptr : found->name;
}
