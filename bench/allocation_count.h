// Heap allocations made by the benchmark program so far: the frame path must
// make none, and every benchmark of a frame can say whether it does.
#pragma once

long allocationsSoFar();
