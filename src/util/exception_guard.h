// Runs one step of start-up so that whatever it throws is logged with a
// context text and the caller carries on as if the step had returned: no
// failure of the sky may reach the user.
#pragma once

#include "util/log.h"

#include <exception>
#include <stdexcept>
#include <string>

namespace keslExceptionGuardDetail {
std::string narrow(const wchar_t* text);
}

template <typename Step>
void runGuarded(const char* context, Step&& step) {
    try {
        step();
    } catch (const std::runtime_error& e) {
        logError("Runtime error caught:\n%s\n%s", e.what(), context);
    } catch (const std::exception& e) {
        logError("Exception caught:\n%s\n%s", e.what(), context);
    } catch (const std::exception* e) {
        if (e) logError("Exception caught:\n%s\n%s", e->what(), context);
    } catch (const char* text) {
        logError("Exception caught:\n%s\n%s", text ? text : "", context);
    } catch (const wchar_t* text) {
        logError("Exception caught:\n%s\n%s", keslExceptionGuardDetail::narrow(text).c_str(), context);
    } catch (int value) {
        logError("integer exception caught:%i\n%s", value, context);
    } catch (...) {
        logError("Exception caught:%s", context);
    }
}
