#include "platform/narrow_text.h"

#include <windows.h>

#include "engine/path_encoding.h"

namespace sorowa {
namespace {

// The plain conversion; `lost` tells whether a character had no form in the code page.
std::string Convert(const wchar_t* wide, int length, bool& lost) {
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(kNarrowCodePage, WC_NO_BEST_FIT_CHARS, wide, length, nullptr,
                                      0, "?", &usedDefault);
    std::string narrow(static_cast<size_t>(n > 0 ? n : 0), '\0');
    usedDefault = FALSE;
    if (n > 0) {
        WideCharToMultiByte(kNarrowCodePage, WC_NO_BEST_FIT_CHARS, wide, length, narrow.data(), n,
                            "?", &usedDefault);
    }
    lost = usedDefault != FALSE;
    return narrow;
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string NarrowText(const std::wstring& wide) {
    bool lost = false;
    std::string whole = Convert(wide.data(), static_cast<int>(wide.size()), lost);
    if (!lost) return whole;
    // Character by character, so that each one the code page lacks is exactly one `?`
    // whatever the system makes of a pair of surrogates or a lone one.
    std::string narrow;
    for (size_t i = 0; i < wide.size();) {
        const size_t units =
            IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1]) ? 2 : 1;
        const std::string one = Convert(wide.data() + i, static_cast<int>(units), lost);
        narrow += lost || one.empty() ? std::string("?") : one;
        i += units;
    }
    return narrow;
}

std::wstring WideText(const std::string& narrow) {
    const int n = MultiByteToWideChar(kNarrowCodePage, 0, narrow.data(),
                                      static_cast<int>(narrow.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
        MultiByteToWideChar(kNarrowCodePage, 0, narrow.data(), static_cast<int>(narrow.size()),
                            wide.data(), n);
    }
    return wide;
}

// wchar_t is a UTF-16 unit on this platform: the engine's conversions work on it as it is.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

std::wstring WideFromUtf8(const std::string& utf8) {
    const std::u16string wide = Utf16FromUtf8(utf8);
    return std::wstring(wide.begin(), wide.end());
}

std::string Utf8FromWide(const std::wstring& wide) {
    const std::u16string units(wide.begin(), wide.end());
    return Utf8FromUtf16(units);
}

}  // namespace sorowa
