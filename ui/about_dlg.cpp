#include "ui/about_dlg.h"

#include <windows.h>
#include <winver.h>

#include <cstring>
#include <memory>
#include <new>
#include <cwchar>
#include <string>
#include <utility>

#include "res/resource.h"

namespace {

// The version block of `file`, or null when it has none or it cannot be read.
std::unique_ptr<char[]> ReadVersionBlock(const std::wstring& file) {
    if (file.empty()) return nullptr;
    const DWORD size = GetFileVersionInfoSizeW(file.c_str(), nullptr);
    if (size == 0) return nullptr;
    std::unique_ptr<char[]> block(new (std::nothrow) char[size + 1]);
    if (block == nullptr || !GetFileVersionInfoW(file.c_str(), 0, size, block.get()))
        return nullptr;
    return block;
}

// A text of the block, as the block holds it (UTF-16); empty when the block lacks it.
std::wstring QueryText(void* block, const std::wstring& path) {
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block, path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr) {
        return {};
    }
    return std::wstring(value, wcsnlen(value, length));
}

}  // namespace

CAboutDlg::CAboutDlg(std::wstring programPath, CWnd* parent)
    : CDialog(IDD_ABOUTBOX, parent), m_programPath(std::move(programPath)) {}

CAboutDlg::~CAboutDlg() = default;

const MessageMap* CAboutDlg::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnMessage<&CAboutDlg::OnButtonDown>(WM_LBUTTONDOWN),
        OnMessage<&CAboutDlg::OnButtonDown>(WM_RBUTTONDOWN),
        OnMessage<&CAboutDlg::OnMouseActivate>(WM_MOUSEACTIVATE),
    };
    static const MessageMap map = MakeMessageMap(CDialog::GetMessageMap(), entries);
    return &map;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_URL, m_linkUrl);
    DDX_Control(pDX, IDC_MAIL, m_linkMail);
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // The program path it was started with first; when that names no file with a version
    // block (a name without ".exe", or one found through the search path), the module's
    // own file.
    std::unique_ptr<char[]> block = ReadVersionBlock(m_programPath);
    if (block == nullptr) {
        wchar_t self[MAX_PATH];
        const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
        if (length > 0 && length < MAX_PATH) block = ReadVersionBlock(self);
    }
    if (block == nullptr) return TRUE;

    void* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.get(), L"\\VarFileInfo\\Translation", &translations, &length) ||
        translations == nullptr || length < sizeof(DWORD)) {
        return TRUE;
    }
    // Only the first translation: language in the low half, code page in the high half.
    DWORD first;
    std::memcpy(&first, translations, sizeof first);
    wchar_t prefix[32];
    std::swprintf(prefix, 32, L"\\StringFileInfo\\%04x%04x\\", LOWORD(first), HIWORD(first));

    const std::wstring table = prefix;
    const std::wstring version = QueryText(block.get(), table + L"ProductName") + L" version " +
                                 QueryText(block.get(), table + L"ProductVersion");
    const std::wstring copyright = QueryText(block.get(), table + L"LegalCopyright");
    SetWindowTextW(GetDlgItem(m_hWnd, IDC_VERSION), version.c_str());
    SetWindowTextW(GetDlgItem(m_hWnd, IDC_COPYRIGHT), copyright.c_str());
    return TRUE;
}

void CAboutDlg::OnButtonDown(UINT, POINT) {
    SetFocus(GetDlgItem(m_hWnd, IDOK));
    Default();
}

BOOL CAboutDlg::OnMouseActivate(HWND, UINT, UINT message) {
    // One more left press at the pointer, with no release of its own.
    if (message == WM_LBUTTONDOWN) mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    return static_cast<BOOL>(Default());
}
