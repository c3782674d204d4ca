// The engine's text for paths and names: UTF-8, so that every name the system lists travels
// exactly and a `\` byte is always a separator. The system's names are UTF-16 and may hold a
// surrogate without its partner; such a unit is written in the three-byte form UTF-8 would
// give it (the generalised UTF-8 known as WTF-8), so that every UTF-16 name makes the round
// trip unchanged.
#pragma once

#include <cstddef>
#include <string>

namespace sorowa {

std::string Utf8FromUtf16(const char16_t* text, size_t length);
inline std::string Utf8FromUtf16(const std::u16string& text) {
    return Utf8FromUtf16(text.data(), text.size());
}

// The inverse of Utf8FromUtf16. A byte that begins no well-formed sequence (which no
// conversion from UTF-16 makes) becomes U+FFFD.
std::u16string Utf16FromUtf8(const std::string& text);

}  // namespace sorowa
