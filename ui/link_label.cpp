#include "ui/link_label.h"

#include "framework/window_text.h"
#include "ui/shell_open.h"

namespace {

// The hand cursor among the help program's resources.
constexpr WORD kHelpHandCursor = 106;

}  // namespace

void CLinkLabel::LoadHand() {
    // 247 leaves room for the name, so the path always fits.
    wchar_t path[MAX_PATH] = L"";
    const UINT length = GetWindowsDirectoryW(path, 247);
    if (length > 0 && length < 247) {
        lstrcatW(path, L"\\winhlp32.exe");
        if (const HMODULE help = LoadLibraryW(path)) {
            const HCURSOR hand = LoadCursorW(help, MAKEINTRESOURCEW(kHelpHandCursor));
            // A copy, because the module's own cursor goes with the module.
            const HCURSOR copy = hand != nullptr ? CopyIcon(hand) : nullptr;
            FreeLibrary(help);
            if (copy != nullptr) {
                m_ownCursor.reset(copy);
                m_hCursor = copy;
                return;
            }
        }
    }
    // Systems without the help program, or whose help program has no hand, have their own.
    m_hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND));
    if (m_hCursor == nullptr)
        m_hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

CLinkLabel::CLinkLabel() { LoadHand(); }

const MessageMap* CLinkLabel::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnMessage<&CLinkLabel::CtlColor>(WM_REFLECTED_CTLCOLOR),
        OnMessage<&CLinkLabel::OnSetCursor>(WM_SETCURSOR),
        OnMessage<&CLinkLabel::OnLButtonDown>(WM_LBUTTONDOWN),
        OnMessage<&CLinkLabel::OnLButtonUp>(WM_LBUTTONUP),
        OnMessage<&CLinkLabel::OnMouseMove>(WM_MOUSEMOVE),
        OnMessage<&CLinkLabel::OnOtherButton>(WM_MBUTTONDOWN),
        OnMessage<&CLinkLabel::OnOtherButton>(WM_MBUTTONUP),
        OnMessage<&CLinkLabel::OnOtherButton>(WM_RBUTTONUP),
        OnMessage<&CLinkLabel::OnOtherButton>(WM_RBUTTONDOWN),
        OnMessage<&CLinkLabel::OnKillFocus>(WM_KILLFOCUS),
        OnMessage<&CLinkLabel::OnSetFocus>(WM_SETFOCUS),
        OnMessage<&CLinkLabel::OnPaint>(WM_PAINT),
    };
    static const MessageMap map = MakeMessageMap(CStatic::GetMessageMap(), entries);
    return &map;
}

std::wstring CLinkLabel::Text() const { return WindowText(m_hWnd); }

void CLinkLabel::ApplyFont(BYTE underline) {
    m_lf.lfUnderline = underline;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&m_lf);
    SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), TRUE);
}

void CLinkLabel::ResetLook() {
    ApplyFont(0);
    m_crText = GetFocus() == m_hWnd ? kFocusedColour : kNormalColour;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CLinkLabel::EnterHover() {
    ApplyFont(1);
    m_crText = kHoverColour;
    InvalidateRect(m_hWnd, nullptr, FALSE);
    SetCapture(m_hWnd);
}

void CLinkLabel::CancelPress() {
    ReleaseCapture();
    ResetLook();
    m_bPressed = 0;
}

void CLinkLabel::DrawFrame() {
    RECT client;
    GetClientRect(m_hWnd, &client);
    const HDC dc = GetDC(m_hWnd);
    // The border first wipes an earlier focus rectangle, so the inverted one always shows.
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (GetFocus() == m_hWnd) DrawFocusRect(dc, &client);
    ReleaseDC(m_hWnd, dc);
}

void CLinkLabel::OpenLink() {
    std::wstring target = Text();
    if (target.find(L':') == std::wstring::npos) target.insert(0, L"mailto:");
    sorowa::ShellOpen(GetParent(m_hWnd), target);
}

HBRUSH CLinkLabel::CtlColor(HDC dc, UINT) {
    SetTextColor(dc, m_crText);
    // The system's own brush, which follows a change of colours or theme.
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

BOOL CLinkLabel::OnSetCursor(HWND, UINT, UINT) {
    SetCursor(m_hCursor);
    return TRUE;
}

void CLinkLabel::OnLButtonDown(UINT, POINT) {
    m_bPressed = 1;
    SetFocus(m_hWnd);
    DrawFrame();
    Default();
}

void CLinkLabel::OnLButtonUp(UINT, POINT point) {
    if (m_bPressed == 0) {
        Default();
        return;
    }
    ReleaseCapture();
    RECT client;
    GetClientRect(m_hWnd, &client);
    if (PtInRect(&client, point)) {
        OpenLink();
        // Still under the pointer, the link keeps the hover look until the pointer leaves.
        POINT pointer;
        RECT window;
        GetCursorPos(&pointer);
        GetWindowRect(m_hWnd, &window);
        if (!PtInRect(&window, pointer)) ResetLook();
    } else {
        ResetLook();
    }
    m_bPressed = 0;
    Default();
}

void CLinkLabel::OnMouseMove(UINT, POINT point) {
    if (GetCapture() == nullptr) EnterHover();
    RECT client;
    GetClientRect(m_hWnd, &client);
    // During a press the hover look and the capture stay until the release.
    if (!PtInRect(&client, point) && m_bPressed == 0) {
        ResetLook();
        ReleaseCapture();
    }
    Default();
}

void CLinkLabel::OnOtherButton(UINT, POINT) {
    CancelPress();
    Default();
}

void CLinkLabel::OnKillFocus(HWND) {
    Default();
    // A press that loses the focus ends with it, opening nothing: keys reach the dialog
    // again, and a release on the link later is no click.
    CancelPress();
}

void CLinkLabel::OnSetFocus(HWND) {
    Default();
    DrawFrame();
    if (GetCapture() != m_hWnd) ResetLook();
}

BOOL CLinkLabel::PreTranslateMessage(MSG* msg) {
    if (msg->message == WM_KEYDOWN) {
        if (m_bPressed == 1) return TRUE;
        if (msg->wParam == VK_RETURN) {
            OpenLink();
            return TRUE;
        }
    }
    return CStatic::PreTranslateMessage(msg);
}

void CLinkLabel::OnPaint() {
    CPaintDC dc(m_hWnd);
    // Setting the text makes the static control draw it at once, in the colours CtlColor
    // gives: the only way the text is drawn.
    const std::wstring text = Text();
    SetWindowTextW(m_hWnd, text.c_str());
    DrawFrame();

    if (m_font.GetSafeHandle() == nullptr) {
        // First paint: keep the dialog's font and fit the control to the text, one pixel
        // of margin on every side, the left edge where the template put it.
        const auto dialogFont = reinterpret_cast<HFONT>(SendMessageW(m_hWnd, WM_GETFONT, 0, 0));
        GetObjectW(dialogFont, sizeof m_lf, &m_lf);
        const HGDIOBJ previous = SelectObject(dc, dialogFont);
        SIZE extent = {};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        SelectObject(dc, previous);

        POINT corners[2] = {{0, 0}, {extent.cx, extent.cy}};
        MapWindowPoints(m_hWnd, GetParent(m_hWnd), corners, 2);
        const POINT& from = corners[0];
        const POINT& to = corners[1];
        MoveWindow(m_hWnd, from.x, from.y - 1, (to.x + 2) - from.x, (to.y + 1) - (from.y - 1),
                   TRUE);
        ResetLook();
    }
}
