// Saves a settings file over and over until it is killed, for the test that
// kills it at random moments. The first run seeds a complete state; every
// later run goes on from the newest generation the file holds.
#include "system/file_replace.h"
#include "settings/save_loop_state.h"
#include "settings/settings.h"
#include "util/file_system.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvanel_save_loop <settings file>\n");
        return 2;
    }
    const std::string path = argv[1];
    std::string text;
    if (!keslFileSystemMini::readWholeFile(path, text)) {
        std::string error;
        if (!replaceFileContents(path, formatSettingsText(saveLoop::stateOfGeneration(0)), error)) {
            std::fprintf(stderr, "cannot seed %s: %s\n", path.c_str(), error.c_str());
            return 1;
        }
    }
    keslSettings store(path.c_str());
    long generation = saveLoop::newestGeneration(text) + 1;
    std::printf("%s\n", saveLoop::kReadyLine);
    std::fflush(stdout);
    for (;; ++generation) {
        for (int i = 0; i < saveLoop::kKeyCount; ++i) {
            store.setString(saveLoop::keyName(i).c_str(), saveLoop::valueFor(generation, i));
        }
    }
}
