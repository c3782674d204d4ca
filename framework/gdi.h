// Owners of GDI objects and of painting. Each owns one handle, is move-only and releases
// the handle on request or when it goes.
#pragma once

#include <windows.h>

#include <utility>

template <class Handle>
class CGdiObject {
public:
    CGdiObject() = default;
    ~CGdiObject() { DeleteObject(); }
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(std::exchange(other.m_hObject, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            DeleteObject();
            m_hObject = std::exchange(other.m_hObject, nullptr);
        }
        return *this;
    }

    Handle GetSafeHandle() const { return m_hObject; }
    operator Handle() const { return m_hObject; }

    BOOL DeleteObject() {
        if (m_hObject == nullptr) return FALSE;
        ::DeleteObject(std::exchange(m_hObject, nullptr));
        return TRUE;
    }

protected:
    BOOL Attach(Handle handle) {
        DeleteObject();
        m_hObject = handle;
        return handle != nullptr;
    }

private:
    Handle m_hObject = nullptr;
};

class CFont : public CGdiObject<HFONT> {
public:
    // A font of `pointSize` tenths of a point on the screen (or on `dc`), the default
    // character set and the given face; every other field 0.
    BOOL CreatePointFont(int pointSize, const char* faceName, HDC dc = nullptr);
    BOOL CreateFontIndirect(const LOGFONTA* logFont) {
        return Attach(::CreateFontIndirectA(logFont));
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
};

// Begins painting a window when constructed and ends it when it goes.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd), m_hDC(BeginPaint(hwnd, &m_ps)) {}
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    operator HDC() const { return m_hDC; }

    PAINTSTRUCT m_ps;

private:
    HWND m_hWnd;
    HDC m_hDC;
};
