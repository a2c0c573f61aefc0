#include "system/win32/wide_text.h"

#include <windows.h>

namespace {

std::wstring wideFrom(UINT codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) return std::wstring();
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

}  // namespace

std::wstring keslWideFromUtf8(const std::string& utf8) { return wideFrom(CP_UTF8, utf8); }

std::wstring keslWideFromAnsi(const std::string& bytes) { return wideFrom(CP_ACP, bytes); }

std::string keslUtf8FromWide(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, utf8.data(), length, nullptr, nullptr);
    return utf8;
}
