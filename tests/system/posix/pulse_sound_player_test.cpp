#include "support/log_capture.h"
#include "system/posix/pulse_sound_player.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

// Points the PulseAudio client at a server that is not there, for one test.
class NoSoundServer {
public:
    NoSoundServer() {
        const char* previous = std::getenv("PULSE_SERVER");
        if (previous) m_previous = previous;
        m_hadPrevious = previous != nullptr;
        setenv("PULSE_SERVER", "unix:/nonexistent/orvanel-test/native", 1);
    }
    ~NoSoundServer() {
        if (m_hadPrevious) {
            setenv("PULSE_SERVER", m_previous.c_str(), 1);
        } else {
            unsetenv("PULSE_SERVER");
        }
    }

private:
    std::string m_previous;
    bool m_hadPrevious = false;
};

size_t occurrences(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// The player's thread reports in its own time; give it a while.
std::string logOnceItHolds(const LogCapture& log, const std::string& part) {
    for (int i = 0; i < 200 && !log.contains(part); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return log.contents();
}

TEST(PulseSoundPlayer, WithoutAServerEveryPlayIsSilentAndOnlyTheFirstIsLogged) {
    NoSoundServer noServer;
    LogCapture log;
    {
        keslPulseSoundPlayer player;
        player.play(117, true);
        logOnceItHolds(log, "no sound server");
        player.play(111, false);
        player.stop();
        player.play(4, false);
        player.play(999, false);
        logOnceItHolds(log, "no sound resource 999");
    }
    const std::string text = log.contents();
    EXPECT_EQ(occurrences(text, "Warning>\t#7313: no sound server to play to"), 1u) << text;
    EXPECT_EQ(occurrences(text, "#7311: no sound resource 999"), 1u) << text;
}

}  // namespace
