#include "framework/dialog.h"

#include <vector>

#include "framework/win_app.h"

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd != nullptr) return;
    if (!control.SubclassDlgItem(static_cast<UINT>(id), pDX->m_pDlgWnd)) pDX->m_bFailed = true;
}

const MessageMap* CDialog::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnCommand<&CDialog::OnOK>(IDOK),
        OnCommand<&CDialog::OnCancel>(IDCANCEL),
    };
    static const MessageMap map = MakeMessageMap(CWnd::GetMessageMap(), entries);
    return &map;
}

HWND CDialog::OwnerWindow() const {
    if (m_pParentWnd != nullptr) return m_pParentWnd->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd != nullptr && app->m_pMainWnd != this) {
        return app->m_pMainWnd->m_hWnd;
    }
    return nullptr;
}

INT_PTR CDialog::DoModal() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const HRSRC found =
        FindResourceW(instance, MAKEINTRESOURCEW(m_nIDTemplate), MAKEINTRESOURCEW(5));
    const HGLOBAL loaded = found ? LoadResource(instance, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) return -1;

    // A copy of the template without WS_VISIBLE: the dialog is shown once it is initialised,
    // and not at all when initialisation ended it.
    const auto* first = static_cast<const BYTE*>(bytes);
    std::vector<BYTE> copy(first, first + SizeofResource(instance, found));
    const bool extended = copy.size() >= 4 && copy[2] == 0xFF && copy[3] == 0xFF;
    const size_t styleAt = extended ? 12 : 0;
    if (copy.size() < styleAt + 4) return -1;
    DWORD style;
    memcpy(&style, &copy[styleAt], sizeof style);
    style &= ~static_cast<DWORD>(WS_VISIBLE);
    memcpy(&copy[styleAt], &style, sizeof style);

    const HWND owner = OwnerWindow();
    const bool ownerWasEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);

    m_bModalRunning = true;
    m_nModalResult = -1;
    // A Unicode window, as are the controls the template makes: every text they hold is
    // UTF-16, whatever the system's code page.
    const HWND hwnd =
        CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(copy.data()), owner,
                                   DialogProc, reinterpret_cast<LPARAM>(this));
    if (hwnd != nullptr && m_bModalRunning) ShowWindow(hwnd, SW_SHOWNORMAL);

    MSG msg;
    while (hwnd != nullptr && m_bModalRunning) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {  // WM_QUIT: end the dialog and hand the quit on to the next loop
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got < 0) break;
        // The window the message is for and each of its parents up to the dialog may take it.
        bool consumed = false;
        for (HWND h = msg.hwnd; h != nullptr && !consumed; h = GetParent(h)) {
            CWnd* wnd = FromHandlePermanent(h);
            if (wnd != nullptr && wnd->PreTranslateMessage(&msg)) consumed = true;
            if (h == hwnd) break;
        }
        if (!consumed) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }

    // Enable the owner before the dialog goes, so that the owner becomes active again.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (hwnd != nullptr) DestroyWindow(hwnd);
    m_bModalRunning = false;
    return hwnd != nullptr ? m_nModalResult : -1;
}

void CDialog::EndDialog(INT_PTR result) {
    m_nModalResult = result;
    m_bModalRunning = false;
    // Wakes the modal loop if it waits in GetMessage while serving a sent message.
    if (m_hWnd != nullptr) PostMessageW(m_hWnd, WM_NULL, 0, 0);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return dx.m_bFailed ? FALSE : TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) { return IsDialogMessageW(m_hWnd, msg); }

BOOL CDialog::OnInitDialog() {
    if (!UpdateData(FALSE)) {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
    // Everything but the initialisation reaches the object through its subclass; the
    // dialog's default processing gets what no table handles.
    if (message != WM_INITDIALOG) return FALSE;
    auto* self = reinterpret_cast<CDialog*>(lParam);
    if (!self->SubclassWindow(hwnd)) {
        self->EndDialog(-1);
        return FALSE;
    }
    RECT before;
    GetWindowRect(hwnd, &before);
    const BOOL setFocus = self->OnInitDialog();
    // A top-level dialog that initialisation did not place is centred.
    RECT after;
    GetWindowRect(hwnd, &after);
    if (EqualRect(&before, &after) && (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) == 0) {
        self->CenterWindow();
    }
    return setFocus;
}
