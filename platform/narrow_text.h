// Texts between the system's wide form, the narrow form of the windows' code page (932) and
// the engine's UTF-8.
#pragma once

#include <string>

namespace sorowa {

// `wide` as the narrow code page shows it: every character the code page lacks becomes one
// `?`, with no look-alike put in its place ("über" shows as "?ber", never as "uber").
std::string NarrowText(const std::wstring& wide);

// A narrow text of the code page in the wide form.
std::wstring WideText(const std::string& narrow);

// Between the system's wide paths and the engine's UTF-8 ones (engine/path_encoding.h):
// exact both ways, whatever the names hold.
std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);

// A UTF-8 path as the windows show it.
inline std::string ShownText(const std::string& utf8) { return NarrowText(WideFromUtf8(utf8)); }

}  // namespace sorowa
