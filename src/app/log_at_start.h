// Sets the log up during static initialisation of a program, before any
// application object exists, so even the earliest lines reach the file.
#pragma once

#include "util/log.h"

struct keslLogAtProcessStart {
    keslLogAtProcessStart() { setupLogAtProcessStart(); }
};
