#include "framework/gdi.h"

#include <cstring>

BOOL CFont::CreatePointFont(int pointSize, const wchar_t* faceName, HDC dc) {
    const HDC screen = dc != nullptr ? dc : GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    if (dc == nullptr) ReleaseDC(nullptr, screen);
    return CreatePointFontAtDpi(pointSize, faceName, dpi);
}

BOOL CFont::CreatePointFontAtDpi(int pointSize, const wchar_t* faceName, int dpi) {
    LOGFONTW logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logFont.lfFaceName, faceName, LF_FACESIZE);
    // Character height, not cell height: hence negative.
    logFont.lfHeight = -(dpi * pointSize / 720);
    return CreateFontIndirect(&logFont);
}
