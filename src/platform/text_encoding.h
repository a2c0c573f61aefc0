// Texts are 8-bit strings. Most are in the Windows code page, but some (the
// built-in quotes with a typographic apostrophe, a user's quotes file saved
// by a modern editor) are UTF-8. Both backends draw a text as UTF-8 when it
// is well-formed UTF-8 with at least one multi-byte character, and as the
// code page otherwise: code-page text that happens to be well-formed UTF-8
// beyond plain ASCII is vanishingly rare, while the other reading would turn
// every apostrophe of a UTF-8 text into three wrong letters.
#pragma once

#include <cstddef>
#include <string>

bool keslIsMultiByteUtf8(const char* text, std::size_t length);

// The text's characters into decoded (replacing what it held, reusing its
// memory): from UTF-8 when keslIsMultiByteUtf8 says so, else byte by byte as
// Windows-1252.
void keslDecodeText(const char* text, std::size_t length, std::u32string& decoded);

// The 8-bit Windows code pages the translation files were once written in.
enum class keslCodePage { windows1252, windows1253 };

// 8-bit text of a Windows code page as UTF-8; a byte the code page leaves
// undefined becomes U+FFFD.
std::string keslCodePageToUtf8(const std::string& text, keslCodePage codePage);
