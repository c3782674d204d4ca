// Message tables: a static array of entries per window class, each naming a message (and,
// for WM_COMMAND, a control identifier) and a typed handler. A class's table is searched
// before its base class's; what no table handles goes to the window's default processing.
// A class gives its table by overriding CWnd::GetMessageMap (framework/wnd.h), as in
//
//     const MessageMap* CDropEdit::GetMessageMap() const {
//         static const MessageEntry entries[] = {
//             OnMessage<&CDropEdit::OnDropFiles>(WM_DROPFILES),
//         };
//         static const MessageMap map = MakeMessageMap(CEdit::GetMessageMap(), entries);
//         return &map;
//     }
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <cstddef>

class CWnd;

// The colour query of a control, reflected by its parent back to the control itself.
constexpr UINT WM_REFLECT_BASE = 0xBC00;
constexpr UINT WM_REFLECTED_CTLCOLOR = WM_REFLECT_BASE + 0x0019;  // 0x0019: WM_CTLCOLOR

// Calls one handler; false when the handler declined (a colour query answered with no brush).
using MessageThunk = bool (*)(CWnd& wnd, WPARAM wParam, LPARAM lParam, LRESULT& result);

struct MessageEntry {
    UINT message;
    UINT commandId;  // WM_COMMAND entries only
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* base;
    const MessageEntry* entries;
    size_t count;
};

namespace message_detail {

template <class Member>
struct ClassOf;
template <class R, class T, class... Args>
struct ClassOf<R (T::*)(Args...)> {
    using type = T;
};

// One call form per handler signature; the signature says how the message is unpacked.
template <class T>
bool Call(void (T::*handler)(), T& wnd, WPARAM, LPARAM, LRESULT& result) {
    (wnd.*handler)();
    result = 0;
    return true;
}
template <class T>
bool Call(LRESULT (T::*handler)(WPARAM, LPARAM), T& wnd, WPARAM wParam, LPARAM lParam,
          LRESULT& result) {
    result = (wnd.*handler)(wParam, lParam);
    return true;
}
// WM_SETCURSOR and WM_MOUSEACTIVATE: a window, a hit-test code, a mouse message.
template <class T>
bool Call(BOOL (T::*handler)(HWND, UINT, UINT), T& wnd, WPARAM wParam, LPARAM lParam,
          LRESULT& result) {
    result = (wnd.*handler)(reinterpret_cast<HWND>(wParam), LOWORD(lParam), HIWORD(lParam));
    return true;
}
// Mouse buttons and moves: the key flags and the point in client coordinates.
template <class T>
bool Call(void (T::*handler)(UINT, POINT), T& wnd, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    (wnd.*handler)(static_cast<UINT>(wParam),
                   POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    result = 0;
    return true;
}
// WM_SETFOCUS and WM_KILLFOCUS: the other window.
template <class T>
bool Call(void (T::*handler)(HWND), T& wnd, WPARAM wParam, LPARAM, LRESULT& result) {
    (wnd.*handler)(reinterpret_cast<HWND>(wParam));
    result = 0;
    return true;
}
template <class T>
bool Call(void (T::*handler)(HDROP), T& wnd, WPARAM wParam, LPARAM, LRESULT& result) {
    (wnd.*handler)(reinterpret_cast<HDROP>(wParam));
    result = 0;
    return true;
}
// WM_TIMER: the timer's identifier.
template <class T>
bool Call(void (T::*handler)(UINT_PTR), T& wnd, WPARAM wParam, LPARAM, LRESULT& result) {
    (wnd.*handler)(static_cast<UINT_PTR>(wParam));
    result = 0;
    return true;
}
// WM_QUERYDRAGICON.
template <class T>
bool Call(HCURSOR (T::*handler)(), T& wnd, WPARAM, LPARAM, LRESULT& result) {
    result = reinterpret_cast<LRESULT>((wnd.*handler)());
    return true;
}
// The reflected colour query: the drawing's device context and the control type. No brush
// means not handled.
template <class T>
bool Call(HBRUSH (T::*handler)(HDC, UINT), T& wnd, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const HBRUSH brush = (wnd.*handler)(reinterpret_cast<HDC>(wParam), static_cast<UINT>(lParam));
    result = reinterpret_cast<LRESULT>(brush);
    return brush != nullptr;
}

// WM_DPICHANGED: the window's new scale in pixels per inch and the rectangle the system
// suggests for it at that scale.
template <class T>
bool Call(void (T::*handler)(UINT, const RECT&), T& wnd, WPARAM wParam, LPARAM lParam,
          LRESULT& result) {
    (wnd.*handler)(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
    result = 0;
    return true;
}

template <auto Handler>
bool Thunk(CWnd& wnd, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using T = typename ClassOf<decltype(Handler)>::type;
    return Call(Handler, static_cast<T&>(wnd), wParam, lParam, result);
}

}  // namespace message_detail

// An entry for a window message.
template <auto Handler>
constexpr MessageEntry OnMessage(UINT message) {
    return {message, 0, &message_detail::Thunk<Handler>};
}

// An entry for a command (a button click, Enter or Escape) from the control `id`.
template <auto Handler>
constexpr MessageEntry OnCommand(UINT id) {
    return {WM_COMMAND, id, &message_detail::Thunk<Handler>};
}

template <size_t N>
constexpr MessageMap MakeMessageMap(const MessageMap* base, const MessageEntry (&entries)[N]) {
    return {base, entries, N};
}
