#include "telemetry/hit_limiter.h"

#include "util/log.h"

keslHitLimiter& keslHitLimiter::shared() {
    static keslHitLimiter limiter;
    return limiter;
}

void keslHitLimiter::init(int sessionHits, std::time_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_initialised) {
        logInfo("#5832: re-initialization aborted");
        return;
    }
    m_initialised = true;
    m_remainingSessionHits = sessionHits;
    m_lastRefill = now;
}

bool keslHitLimiter::allowHit(std::time_t now) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_remainingSessionHits < 1) {
        logInfo("Hit not sent due to max hit session limits.");
        return false;
    }
    --m_remainingSessionHits;
    const long long refill = static_cast<long long>(static_cast<double>(now - m_lastRefill) * kRefillPerSecond);
    if (refill > 0) {
        m_lastRefill = now;
        m_level = refill >= m_level ? 0 : m_level - static_cast<int>(refill);
    }
    // A refused hit takes no room in the bucket: otherwise a burst would keep
    // the bucket over the brim and the refill would let fewer hits through.
    if (m_level + 1 > kBucketCapacity) {
        logInfo("Hit not sent due to max hit rate limits.");
        return false;
    }
    ++m_level;
    return true;
}
