// Heap allocations made by the whole benchmark program so far: the global
// allocation functions are replaced by counting ones (in one benchmark file,
// as a program may replace them only once), so a benchmark can report what
// its frame allocates.
#pragma once

long benchAllocations();
