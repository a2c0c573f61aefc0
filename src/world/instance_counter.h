// Lets a class count its live instances in one process-wide counter, so that
// a resource shared by all of them can be made with the first and freed with
// the last. The counter changes atomically.
#pragma once

#include <atomic>

class keslInstanceCounterPattern {
protected:
    explicit keslInstanceCounterPattern(std::atomic<int>& counter) : m_instanceCounter(counter) {}

    std::atomic<int>& m_instanceCounter;
};
