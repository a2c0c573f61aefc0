#include "net/win32/winhttp_errors.h"

#include "util/log.h"

#include <winhttp.h>

namespace {

const char* knownErrorText(DWORD code) {
    switch (code) {
    case ERROR_WINHTTP_TIMEOUT: return "The request has timed out.";
    case ERROR_WINHTTP_NAME_NOT_RESOLVED:
        return "ERROR_INTERNET_NAME_NOT_RESOLVED. The server name could not be resolved.";
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return "ERROR_INTERNET_CANNOT_CONNECT. The attempt to connect to the server failed.";
    case ERROR_WINHTTP_INCORRECT_HANDLE_STATE:
        return "ERROR_WINHTTP_INCORRECT_HANDLE_STATE. The requested operation cannot be carried out because the "
               "handle supplied is not in the correct state.";
    case ERROR_WINHTTP_CONNECTION_ERROR:
        return "ERROR_WINHTTP_CONNECTION_ERROR. The connection with the server has been reset or terminated.";
    case ERROR_WINHTTP_RESEND_REQUEST:
        return "ERROR_WINHTTP_RESEND_REQUEST. The WinHTTP function failed. The desired function can be retried "
               "on the same request handle.";
    case ERROR_WINHTTP_INVALID_URL: return "ERROR_WINHTTP_INVALID_URL. The URL is invalid.";
    case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
        return "ERROR_WINHTTP_UNRECOGNIZED_SCHEME. The URL specified a scheme other than \"http:\" or \"https:\".";
    case ERROR_WINHTTP_OPERATION_CANCELLED:
        return "ERROR_WINHTTP_OPERATION_CANCELLED. The operation was canceled, usually because the handle on which "
               "the request was operating was closed before the operation completed.";
    case ERROR_WINHTTP_SECURE_FAILURE:
        return "ERROR_WINHTTP_SECURE_FAILURE. One or more errors were found in the Secure Sockets Layer (SSL) "
               "certificate sent by the server.";
    default: return nullptr;
    }
}

std::string formatFrom(DWORD flags, HMODULE module, DWORD code) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(flags | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS, module,
                                        code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text = (length && buffer) ? std::string(buffer, length) : std::string();
    if (buffer) LocalFree(buffer);
    return text;
}

}  // namespace

std::string getWindowsErrorText(DWORD code) {
    if (const char* known = knownErrorText(code)) return known;
    std::string text = formatFrom(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_FROM_SYSTEM,
                                  GetModuleHandleA("winhttp.dll"), code);
    if (!text.empty()) return text;
    HMODULE messages = LoadLibraryExA("Ntdsbmsg.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!messages) return "No description of the error because getWindowsErrorText() could not load Ntdsbmsg.dll\n";
    text = formatFrom(FORMAT_MESSAGE_FROM_HMODULE, messages, code);
    FreeLibrary(messages);
    return text.empty() ? std::string("FormatMessage() failed inside getWindowsErrorText()\n") : text;
}

void logWinHttpFailure(const char* call, DWORD code) {
    logError("%s() failed.\nWindows error code %lu %s", call, static_cast<unsigned long>(code),
             getWindowsErrorText(code).c_str());
}
