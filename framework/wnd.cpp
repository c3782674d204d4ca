#include "framework/wnd.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 1;

// GetWindowSubclass is missing from the x86_64 import library; comctl32 has always exported
// it as ordinal 411.
BOOL FindSubclassData(HWND hwnd, SUBCLASSPROC proc, DWORD_PTR* refData) {
    using GetWindowSubclassFunction = BOOL(WINAPI*)(HWND, SUBCLASSPROC, UINT_PTR, DWORD_PTR*);
    static const auto getWindowSubclass =
        reinterpret_cast<GetWindowSubclassFunction>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleW(L"comctl32.dll"), MAKEINTRESOURCEA(411))));
    return getWindowSubclass != nullptr && getWindowSubclass(hwnd, proc, kSubclassId, refData);
}

}  // namespace

CWnd::~CWnd() { Detach(); }

const MessageMap* CWnd::GetMessageMap() const {
    static const MessageMap map = {nullptr, nullptr, 0};
    return &map;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (hwnd == nullptr || m_hWnd != nullptr) return false;
    if (!SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    m_hWnd = hwnd;
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return SubclassWindow(GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

void CWnd::Detach() {
    if (m_hWnd == nullptr) return;
    RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    DWORD_PTR refData = 0;
    if (hwnd == nullptr || !FindSubclassData(hwnd, SubclassProc, &refData)) {
        return nullptr;
    }
    return reinterpret_cast<CWnd*>(refData);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

void CWnd::CenterWindow() {
    RECT window;
    GetWindowRect(m_hWnd, &window);
    HWND owner = GetWindow(m_hWnd, GW_OWNER);
    if (owner != nullptr && (!IsWindowVisible(owner) || IsIconic(owner))) owner = nullptr;

    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    RECT centre = area;
    if (owner != nullptr) GetWindowRect(owner, &centre);

    const LONG width = window.right - window.left;
    const LONG height = window.bottom - window.top;
    LONG left = (centre.left + centre.right) / 2 - width / 2;
    LONG top = (centre.top + centre.bottom) / 2 - height / 2;
    // Keep the window on the work area.
    if (left + width > area.right) left = area.right - width;
    if (left < area.left) left = area.left;
    if (top + height > area.bottom) top = area.bottom - height;
    if (top < area.top) top = area.top;
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CWnd::Default() {
    return DefSubclassProc(m_hWnd, m_current.message, m_current.wParam, m_current.lParam);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // A control's colour query goes back to the control first; a control that gives no
    // brush leaves it to this window.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && lParam != 0) {
        const LRESULT brush = SendMessageW(reinterpret_cast<HWND>(lParam), WM_REFLECTED_CTLCOLOR,
                                           wParam, message - WM_CTLCOLORMSGBOX);
        if (brush != 0) {
            result = brush;
            return true;
        }
    }
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (size_t i = 0; i < map->count; ++i) {
            const MessageEntry& entry = map->entries[i];
            if (entry.message != message) continue;
            // Commands match their control; notification codes other than a click (0) or an
            // accelerator (1) are not commands.
            if (message == WM_COMMAND &&
                (LOWORD(wParam) != entry.commandId || HIWORD(wParam) > 1)) {
                continue;
            }
            if (entry.thunk(*this, wParam, lParam, result)) return true;
        }
    }
    return false;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR refData) {
    CWnd* self = reinterpret_cast<CWnd*>(refData);
    if (message == WM_NCDESTROY) {
        self->Detach();
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    // Handlers may send messages to their own window: keep the outer message for Default.
    const CurrentMessage outer = self->m_current;
    self->m_current = {message, wParam, lParam};
    LRESULT result = 0;
    if (!self->OnWndMsg(message, wParam, lParam, result)) {
        result = DefSubclassProc(hwnd, message, wParam, lParam);
    }
    self->m_current = outer;
    return result;
}
