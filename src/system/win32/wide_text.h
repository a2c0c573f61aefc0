// Our texts are UTF-8 (or, for a user's stored text, the ANSI code page's
// bytes); Windows' wide calls want UTF-16, which holds every script whatever
// the system's code page. One place turns one into the other.
#pragma once

#include <string>

std::wstring keslWideFromUtf8(const std::string& utf8);
std::wstring keslWideFromAnsi(const std::string& bytes);
std::string keslUtf8FromWide(const std::wstring& wide);
