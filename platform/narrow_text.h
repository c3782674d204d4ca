// Texts between the system's wide form, the program's own narrow form and the engine's UTF-8.
// The narrow form is code page 932 on every system, whatever the system's code page is: the
// report, the result file and the program's own texts are code page 932 bytes, and the
// windows speak UTF-16. Each conversion names code page 932 itself.
#pragma once

#include <string>

namespace sorowa {

// The narrow texts' code page.
constexpr unsigned kNarrowCodePage = 932;

// `wide` in code page 932: every character the code page lacks becomes one `?`, with no
// look-alike put in its place ("über" shows as "?ber", never as "uber"); a pair of
// surrogates is one character.
std::string NarrowText(const std::wstring& wide);

// A text of code page 932 in the wide form.
std::wstring WideText(const std::string& narrow);

// Between the system's wide paths and the engine's UTF-8 ones (engine/path_encoding.h):
// exact both ways, whatever the names hold.
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

// A UTF-8 path as the report shows it.
inline std::string ShownText(const std::string& utf8) { return NarrowText(WideFromUtf8(utf8)); }

}  // namespace sorowa
