#include "ui/about_dlg.h"

#include <windows.h>
#include <winver.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <stdlib.h>
#include <string>

#include "res/resource.h"

namespace {

// The version block of `file`, or null when it has none or it cannot be read.
std::unique_ptr<char[]> ReadVersionBlock(const char* file) {
    const DWORD size = GetFileVersionInfoSizeA(file, nullptr);
    if (size == 0) return nullptr;
    std::unique_ptr<char[]> block(new (std::nothrow) char[size + 1]);
    if (block == nullptr || !GetFileVersionInfoA(file, 0, size, block.get())) return nullptr;
    return block;
}

// A text of the block; empty when the block lacks it.
std::string QueryText(void* block, const std::string& path) {
    char* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block, path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        value == nullptr) {
        return {};
    }
    return std::string(value, strnlen(value, length));
}

}  // namespace

CAboutDlg::CAboutDlg(CWnd* parent) : CDialog(IDD_ABOUTBOX, parent) {}

CAboutDlg::~CAboutDlg() = default;

const MessageMap* CAboutDlg::GetThisMessageMap() {
    static const MessageEntry entries[] = {
        OnMessage<&CAboutDlg::OnButtonDown>(WM_LBUTTONDOWN),
        OnMessage<&CAboutDlg::OnButtonDown>(WM_RBUTTONDOWN),
        OnMessage<&CAboutDlg::OnMouseActivate>(WM_MOUSEACTIVATE),
    };
    static const MessageMap map = MakeMessageMap(CDialog::GetThisMessageMap(), entries);
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
    std::unique_ptr<char[]> block;
    if (__argc > 0 && __argv != nullptr && __argv[0] != nullptr)
        block = ReadVersionBlock(__argv[0]);
    if (block == nullptr) {
        char self[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
        if (length > 0 && length < MAX_PATH) block = ReadVersionBlock(self);
    }
    if (block == nullptr) return TRUE;

    void* translations = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.get(), "\\VarFileInfo\\Translation", &translations, &length) ||
        translations == nullptr || length < sizeof(DWORD)) {
        return TRUE;
    }
    // Only the first translation: language in the low half, code page in the high half.
    DWORD first;
    std::memcpy(&first, translations, sizeof first);
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "\\StringFileInfo\\%04x%04x\\", LOWORD(first),
                  HIWORD(first));

    const std::string version = QueryText(block.get(), std::string(prefix) + "ProductName") +
                                " version " +
                                QueryText(block.get(), std::string(prefix) + "ProductVersion");
    const std::string copyright = QueryText(block.get(), std::string(prefix) + "LegalCopyright");
    SetWindowTextA(GetDlgItem(m_hWnd, IDC_VERSION), version.c_str());
    SetWindowTextA(GetDlgItem(m_hWnd, IDC_COPYRIGHT), copyright.c_str());
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
