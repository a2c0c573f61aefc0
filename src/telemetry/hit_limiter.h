// Keeps the statistics polite: a per-session budget of hits and a token
// bucket against bursts, one for the whole process so that every tracker
// draws on the same allowance.
#pragma once

#include <ctime>
#include <mutex>

class keslHitLimiter {
public:
    static constexpr int kBucketCapacity = 10;
    static constexpr double kRefillPerSecond = 2.0;

    // The process's limiter.
    static keslHitLimiter& shared();

    // Sets the session budget once; later calls keep the first.
    void init(int sessionHits, std::time_t now);
    // Whether one more hit may go out now (and counts it if so).
    bool allowHit(std::time_t now);

private:
    std::mutex m_mutex;
    bool m_initialised = false;
    int m_remainingSessionHits = 0;
    int m_level = 0;
    std::time_t m_lastRefill = 0;
};
