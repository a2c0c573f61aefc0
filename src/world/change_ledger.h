// What changed on the window since the last report, as a list of rects with
// room set aside once: a frame notes into it without allocating. When more
// changed than the room holds, the list gives way to "the whole window is
// new": the look steps on and the list empties.
#pragma once

#include "platform/dirty_region.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class cChangeLedger {
public:
    // Room for this many rects between two reports.
    void reserve(size_t rects) { m_changes.reserve(rects); }
    void note(const keslRect<int>& rect);
    // The whole window is new: no part of it need be listed.
    void wholeWindow();
    // Adds the rects noted since the last report to the region, and forgets them.
    void report(keslDirtyRegion& region);
    // Steps on each time the whole window became new.
    std::uint64_t look() const { return m_look; }
    size_t pending() const { return m_changes.size(); }

private:
    std::vector<keslRect<int>> m_changes;  // since the last report
    std::uint64_t m_look = 0;
};
