#include "framework/gdi.h"

#include <cstring>

BOOL CFont::CreatePointFont(int pointSize, const char* faceName, HDC dc) {
    LOGFONTA logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(logFont.lfFaceName, faceName, LF_FACESIZE);
    const HDC screen = dc != nullptr ? dc : GetDC(nullptr);
    // Character height, not cell height: hence negative.
    logFont.lfHeight = -(GetDeviceCaps(screen, LOGPIXELSY) * pointSize / 720);
    if (dc == nullptr) ReleaseDC(nullptr, screen);
    return CreateFontIndirect(&logFont);
}
