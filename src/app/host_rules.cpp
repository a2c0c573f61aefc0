#include "app/host_rules.h"

#include <cstdlib>

namespace {
// Power broadcast events, by their documented numbers.
constexpr unsigned long kQuerySuspend = 0;
constexpr unsigned long kLastSuspendOrQuery = 5;
constexpr unsigned long kResumeCritical = 6;
constexpr unsigned long kResumeSuspend = 7;
constexpr unsigned long kResumeStandby = 8;
constexpr unsigned long kPowerStatusChange = 10;
constexpr unsigned long kResumeAutomatic = 18;
constexpr unsigned long kPowerSettingChange = 0x8013;
constexpr long kUserNotPresentBit = 1;
}  // namespace

bool mouseMoveCloses(keslPoint<long> reference, keslPoint<long> now) {
    return std::labs(now.x - reference.x) + std::labs(now.y - reference.y) > kMouseMoveThreshold;
}

keslPowerAnswer powerBroadcastAnswer(unsigned long event, long data) {
    if (event == kQuerySuspend) return keslPowerAnswer::GrantQuery;
    if (event <= kLastSuspendOrQuery) return keslPowerAnswer::Close;
    if (event == kResumeCritical || event == kResumeSuspend || event == kResumeStandby || event == kResumeAutomatic) {
        return (data & kUserNotPresentBit) ? keslPowerAnswer::KeepRunning : keslPowerAnswer::Close;
    }
    if (event == kPowerStatusChange || event == kPowerSettingChange) return keslPowerAnswer::KeepRunning;
    return keslPowerAnswer::Close;
}
