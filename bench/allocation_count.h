// How many times the benchmark program has called the global operator new so
// far; the frame paths report how many allocations a frame makes (none).
#pragma once

long benchAllocationCount();
