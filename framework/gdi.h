// Owners of GDI objects, icons and cursors, and of painting. Each owns one handle, is
// move-only and releases the handle on request or when it goes.
#pragma once

#include <windows.h>

#include "platform/unique_handle.h"

// A GDI object: a font, a brush.
template <class Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { ::DeleteObject(handle); }
};

template <class Handle>
class CGdiObject {
public:
    Handle GetSafeHandle() const { return m_object.get(); }
    operator Handle() const { return m_object.get(); }

    BOOL DeleteObject() {
        if (!m_object) return FALSE;
        m_object.reset();
        return TRUE;
    }

protected:
    BOOL Attach(Handle handle) {
        m_object.reset(handle);
        return handle != nullptr;
    }

private:
    sorowa::UniqueHandle<GdiObjectTraits<Handle>> m_object;
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

// An icon made for the program, never a shared system icon.
struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DestroyIcon(handle); }
};

// An icon of the program's own, loaded at one size, destroyed when its owner goes.
class CIcon : public sorowa::UniqueHandle<IconTraits> {
public:
    using UniqueHandle::UniqueHandle;

    // The icon resource `id` of `module` at `size` x `size` pixels, from the image the
    // system picks for that size; no icon when it cannot be loaded.
    static CIcon Load(HINSTANCE module, int id, int size) {
        return CIcon(static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    }

    HICON GetSafeHandle() const { return get(); }
    operator HICON() const { return get(); }
};

// A cursor of the program's own (a copy or a loaded file, never a shared system cursor).
struct CursorTraits {
    using Handle = HCURSOR;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { DestroyCursor(handle); }
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
