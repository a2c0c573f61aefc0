#include "util/exception_guard.h"

namespace keslExceptionGuardDetail {

// Plain ASCII survives; anything wider becomes '?', which is all a log line needs.
std::string narrow(const wchar_t* text) {
    std::string result;
    if (!text) return result;
    for (; *text; ++text) result += (static_cast<unsigned long>(*text) < 0x80) ? static_cast<char>(*text) : '?';
    return result;
}

}  // namespace keslExceptionGuardDetail
