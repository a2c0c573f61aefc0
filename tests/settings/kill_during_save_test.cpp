// A process that saves in a loop is killed with SIGKILL at random moments; the
// settings file it leaves must always be one whole state, never a cut one.
#ifndef _WIN32

#include "settings/save_loop_state.h"
#include "support/temp_folder.h"
#include "util/file_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <thread>

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kKills = 100;
constexpr int kLongestDelayMicroseconds = 40000;

class SaveLoopProcess {
public:
    SaveLoopProcess(const std::string& program, const std::string& settingsPath) {
        int channel[2];
        if (pipe(channel) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, channel[0]);
        std::string programArg = program;
        std::string pathArg = settingsPath;
        char* argv[] = {programArg.data(), pathArg.data(), nullptr};
        if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, environ) != 0) m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(channel[1]);
        m_output = channel[0];
    }
    ~SaveLoopProcess() {
        kill();
        if (m_output >= 0) close(m_output);
    }

    // True once the helper has said it is saving.
    bool waitUntilReady() {
        std::string line;
        char c = 0;
        while (m_pid > 0 && read(m_output, &c, 1) == 1 && c != '\n') line.push_back(c);
        return line == saveLoop::kReadyLine;
    }

    // True when the process died of the signal (and not before it).
    bool kill() {
        if (m_pid <= 0) return false;
        ::kill(m_pid, SIGKILL);
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

private:
    pid_t m_pid = -1;
    int m_output = -1;
};

TEST(SettingsKilledWhileSaving, AlwaysLeavesAWholeState) {
    const std::string helper = keslFileSystemMini::getModuleFolder() + "orvanel_save_loop";
    ASSERT_TRUE(keslFileSystemMini::fileExists(helper)) << helper;
    TempFolder folder;
    const std::string path = folder.file("killed.ini");
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> delay(0, kLongestDelayMicroseconds);

    std::string previous;
    int changedStates = 0;
    for (int round = 0; round < kKills; ++round) {
        SaveLoopProcess process(helper, path);
        ASSERT_TRUE(process.waitUntilReady()) << "round " << round;
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_TRUE(process.kill()) << "the helper ended on its own in round " << round;

        const std::string text = readFile(path);
        ASSERT_EQ(saveLoop::problemWith(text), "") << "round " << round;
        changedStates += (text != previous) ? 1 : 0;
        previous = text;
    }
    // Kills that land before the first save prove nothing; a flushed save
    // takes milliseconds, so many kills must still have landed after some.
    EXPECT_GT(changedStates, kKills / 4);
    RecordProperty("killsAfterAChangedSave", changedStates);
}

}  // namespace

#endif
