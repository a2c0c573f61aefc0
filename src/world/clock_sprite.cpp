#include "world/clock_sprite.h"

#include "platform/color.h"
#include "sprites/random.h"
#include "system/system_services.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace {

constexpr float kFullTurnRadians = 6.28f;
constexpr std::size_t kTimeBufferSize = 100;
constexpr int kColorChannelLow = 10;
constexpr float kColorChannelSpan = 240.0f;
constexpr float kColorLength = 250.0f;

std::string timeFormatFor(bool format24H, bool showSeconds) {
    std::string format = format24H ? "%H:%M" : "%I:%M";
    if (showSeconds) format += ":%S";
    if (!format24H) format += " %p";
    return format;
}

std::uint8_t channelSum(std::uint8_t a, std::uint8_t b) { return static_cast<std::uint8_t>(std::min(255, a + b)); }

}  // namespace

cClockSprite::cClockSprite(keslKeyValue& store) : TzerinSpriteText("cClockSprite") {
    const cClockSettings settings(store);
    if (!settings.showClock.get()) {
        disable();
        return;
    }
    m_autoColor = settings.autoColor.get();
    const float angle = keslRandomFloat(0.0f, kFullTurnRadians);
    const float speed = settings.speedPixelsPerSecond();
    speedX = std::cos(angle) * speed;
    speedY = std::sin(angle) * speed;
    m_format24H = settings.format24H.get();
    m_showSeconds = settings.showSeconds.get();
    m_timeFormat = timeFormatFor(m_format24H, m_showSeconds);
    textParams.fontSize = static_cast<float>(settings.fontSizePixels());
    m_targetColor = settings.color.get();
    textParams.color = m_targetColor;
    // The first frame shows the time already, never a placeholder.
    formatTime();
}

void cClockSprite::update(float seconds) {
    if (disabledCount > 0) return;
    if (!sizeValid) calculateSize();
    TzerinSpriteText::update(seconds);
    ++m_updateCounter;
    if (m_updateCounter % kUpdatesPerFormatting == 0 && !m_timeFormat.empty()) formatTime();
    if (m_autoColor) driftColor();
}

void cClockSprite::formatTime() {
    const keslSystem& system = keslSystemServices();
    const std::time_t now = system.currentTime();
    // Within one second the text would come out the same; under Wine finding
    // the local time costs microseconds, and a second has six formattings.
    if (m_formatted && static_cast<std::int64_t>(now) == m_lastFormattingTime) return;
    m_lastFormattingTime = static_cast<std::int64_t>(now);
    std::tm local{};
    if (!system.localTime(now, local)) return;
    char buffer[kTimeBufferSize];
    if (std::strftime(buffer, sizeof buffer, m_timeFormat.c_str(), &local) == 0) return;
    m_formatted = true;
    m_clockText = buffer;
    // 09:05 PM reads better as 9:05 PM; the 24-hour form keeps its zero.
    if (!m_format24H && !m_clockText.empty() && m_clockText[0] == '0') m_clockText.erase(0, 1);
    setText(m_clockText.c_str());
}

void cClockSprite::driftColor() {
    const keslColor current = textParams.color.value_or(m_targetColor);
    if (m_updateCounter % kUpdatesPerColorStep == 0 && current != m_targetColor) {
        const keslColor towards = scaleColor(m_targetColor, kColorStepShare);
        const keslColor from = scaleColor(current, 1.0f - kColorStepShare);
        textParams.color = makeColor(channelSum(colorRed(towards), colorRed(from)),
                                     channelSum(colorGreen(towards), colorGreen(from)),
                                     channelSum(colorBlue(towards), colorBlue(from)));
    }
    if (m_updateCounter % kUpdatesPerNewTarget == 0) m_targetColor = randomClockColor();
}

keslColor randomClockColor() {
    float channels[3];
    float sumOfSquares = 0.0f;
    for (float& c : channels) {
        c = static_cast<float>(kColorChannelLow + static_cast<int>(keslRandomUnit() * kColorChannelSpan));
        sumOfSquares += c * c;
    }
    const float scale = kColorLength / std::sqrt(sumOfSquares);
    std::uint8_t rgb[3];
    for (int i = 0; i < 3; ++i) rgb[i] = static_cast<std::uint8_t>(std::clamp(channels[i] * scale, 0.0f, 255.0f));
    return makeColor(rgb[0], rgb[1], rgb[2]);
}
