// A crowd of message stars as the world keeps it, for the message tests.
#pragma once

#include "world/msg_star.h"
#include "world/text_projector.h"

#include <memory>

inline std::unique_ptr<cMsgStarArray> makeMsgStarCrowd() {
    auto crowd = std::make_unique<cMsgStarArray>();
    for (auto& star : *crowd) star = std::make_unique<cMsgStar>();
    return crowd;
}

// count distinct points on a grid, as a projected message would give.
inline cTargetPoints gridPoints(int count, int originX = 100, int originY = 200) {
    cTargetPoints points;
    for (int i = 0; i < count; ++i) points.push_back({originX + (i % 50) * 10, originY + (i / 50) * 10});
    return points;
}
