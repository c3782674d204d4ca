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
    // character set and the given face (its wide name, so that it is found whatever the
    // system's code page); every other field 0.
    BOOL CreatePointFont(int pointSize, const wchar_t* faceName, HDC dc = nullptr);
    // The same at `dpi` pixels per inch, for a window on a monitor of that scale.
    BOOL CreatePointFontAtDpi(int pointSize, const wchar_t* faceName, int dpi);
    BOOL CreateFontIndirect(const LOGFONTW* logFont) {
        return Attach(::CreateFontIndirectW(logFont));
    }
};

class CBrush : public CGdiObject<HBRUSH> {
public:
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
};

// An icon of the program's own, loaded at one size (never a shared system icon), destroyed
// when its owner goes.
class CIcon {
public:
    CIcon() = default;
    ~CIcon() { Destroy(); }
    CIcon(CIcon&& other) noexcept : m_hIcon(std::exchange(other.m_hIcon, nullptr)) {}
    CIcon& operator=(CIcon&& other) noexcept {
        if (this != &other) {
            Destroy();
            m_hIcon = std::exchange(other.m_hIcon, nullptr);
        }
        return *this;
    }

    // The icon resource `id` of `module` at `size` x `size` pixels, from the image the
    // system picks for that size; no icon when it cannot be loaded.
    static CIcon Load(HINSTANCE module, int id, int size) {
        CIcon icon;
        icon.m_hIcon = static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
        return icon;
    }

    HICON GetSafeHandle() const { return m_hIcon; }
    operator HICON() const { return m_hIcon; }

private:
    void Destroy() {
        if (m_hIcon != nullptr) DestroyIcon(std::exchange(m_hIcon, nullptr));
    }

    HICON m_hIcon = nullptr;
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
