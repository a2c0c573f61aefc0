// Entry point of the native Linux program.
#include "app/log_at_start.h"
#include "util/log_guards.h"

#include <cstdio>
#include <cstring>

namespace {
const keslLogAtProcessStart g_logAtStart;
}

int main(int argc, char** argv) {
    logFunctionLife life("main");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::puts("Usage: orvanel [--help]\nOrvanel, a night-sky screensaver.");
            return 0;
        }
    }
    return 0;
}
