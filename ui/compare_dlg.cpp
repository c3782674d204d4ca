#include "ui/compare_dlg.h"

#include <shlobj.h>
#include <stdlib.h>

#include "engine/compare_run.h"
#include "engine/messages.h"
#include "engine/texts.h"
#include "framework/worker_thread.h"
#include "platform/win32_file_services.h"
#include "res/resource.h"
#include "ui/about_dlg.h"

using sorowa::WM_COMPARE_DONE;
using sorowa::WM_COMPARE_OUTPUT;

CCompareDlg::CCompareDlg(CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_hSmallIcon(
          static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                        IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR))),
      m_hWaitCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT))) {}

CCompareDlg::~CCompareDlg() = default;

const MessageMap* CCompareDlg::GetThisMessageMap() {
    static const MessageEntry entries[] = {
        OnMessage<&CCompareDlg::OnPaint>(WM_PAINT),
        OnMessage<&CCompareDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
        OnCommand<&CCompareDlg::OnBrowse1>(IDC_BROWSE1),
        OnCommand<&CCompareDlg::OnBrowse2>(IDC_BROWSE2),
        OnMessage<&CCompareDlg::OnCompareDone>(WM_COMPARE_DONE),
        OnMessage<&CCompareDlg::OnCompareOutput>(WM_COMPARE_OUTPUT),
        OnCommand<&CCompareDlg::OnStop>(IDC_STOP),
        OnMessage<&CCompareDlg::OnSetCursor>(WM_SETCURSOR),
        OnCommand<&CCompareDlg::OnAbout>(IDC_ABOUT),
        OnMessage<&CCompareDlg::OnDestroy>(WM_DESTROY),
        OnMessage<&CCompareDlg::OnTimer>(WM_TIMER),
    };
    static const MessageMap map = MakeMessageMap(CDialog::GetThisMessageMap(), entries);
    return &map;
}

void CCompareDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PATH2, m_editPath2);
    DDX_Control(pDX, IDC_PATH1, m_editPath1);
}

BOOL CCompareDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));

    // The result box alone uses the fixed-pitch face, so that the columns line up.
    m_fontResult.CreatePointFont(90, sorowa::text::kResultFontFace);
    SendDlgItemMessageA(m_hWnd, IDC_RESULT, WM_SETFONT,
                        reinterpret_cast<WPARAM>(m_fontResult.GetSafeHandle()), TRUE);

    // Arguments 1 and 2 fill the path fields as they are; no run starts by itself.
    if (__argc > 1) SetDlgItemTextA(m_hWnd, IDC_PATH1, __argv[1]);
    if (__argc > 2) SetDlgItemTextA(m_hWnd, IDC_PATH2, __argv[2]);
    return TRUE;
}

void CCompareDlg::OnOK() {
    if (GetWindowTextLengthA(m_editPath1.m_hWnd) == 0) return;
    if (GetWindowTextLengthA(m_editPath2.m_hWnd) == 0) return;

    EnableWindow(GetDlgItem(m_hWnd, IDOK), FALSE);
    EnableWindow(GetDlgItem(m_hWnd, IDC_STOP), TRUE);
    SetDlgItemTextA(m_hWnd, IDC_RESULT, "");

    m_nShown = 0;
    m_bOverflowed = false;

    // The mode is decided through the same file services as the worker uses.
    sorowa::Win32FileServices files;
    m_runState = std::make_unique<sorowa::RunState>(
        sorowa::DecideRunStart(WindowText(m_editPath1.m_hWnd), files));
    m_hWorker =
        AfxBeginThread(m_runState->Start().folderMode ? FolderThreadEntry : FileThreadEntry, this);
    if (m_hWorker == nullptr) {
        // No worker, so no end notice will come: back to idle at once.
        m_runState.reset();
        EnableWindow(GetDlgItem(m_hWnd, IDOK), TRUE);
        EnableWindow(GetDlgItem(m_hWnd, IDC_STOP), FALSE);
    }
}

void CCompareDlg::OnStop() {
    if (m_runState) m_runState->RequestStop();
}

DWORD WINAPI CCompareDlg::FolderThreadEntry(void* dialog) {
    CCompareDlg& self = *static_cast<CCompareDlg*>(dialog);
    sorowa::Win32FileServices files;
    return sorowa::CompareFolderThread(self, files, *self.m_runState);
}

DWORD WINAPI CCompareDlg::FileThreadEntry(void* dialog) {
    CCompareDlg& self = *static_cast<CCompareDlg*>(dialog);
    sorowa::Win32FileServices files;
    return sorowa::CompareFileThread(self, files, *self.m_runState);
}

std::string CCompareDlg::WindowText(HWND hwnd) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The worker's reads of the fields are served on the window's thread.
std::string CCompareDlg::GetPathText1() { return WindowText(m_editPath1.m_hWnd); }
std::string CCompareDlg::GetPathText2() { return WindowText(m_editPath2.m_hWnd); }

bool CCompareDlg::SendPiece(const char* piece) {
    if (m_bClosing) return true;
    return SendMessageA(m_hWnd, WM_COMPARE_OUTPUT, reinterpret_cast<WPARAM>(piece), 0) != 0;
}

void CCompareDlg::NotifyDone(sorowa::RunEnd) {
    if (m_bClosing) return;
    PostMessageA(m_hWnd, WM_COMPARE_DONE, 0, 0);
}

// Called when the window goes, also during a run. The worker must be gone before the
// window and this object are: it is told to end and is waited for, while this thread
// keeps serving what it may be waiting for (a piece, the text of a field).
void CCompareDlg::OnDestroy() {
    if (m_hWorker != nullptr) {
        m_bClosing = true;
        m_runState->RequestStop();
        while (MsgWaitForMultipleObjects(1, &m_hWorker, FALSE, INFINITE, QS_SENDMESSAGE) ==
               WAIT_OBJECT_0 + 1) {
            MSG msg;
            PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        CloseHandle(m_hWorker);
        m_hWorker = nullptr;
    }
    Default();
}

void CCompareDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(m_hWnd, &rect);
    DrawIcon(dc, (rect.right - rect.left - cx + 1) / 2, (rect.bottom - rect.top - cy + 1) / 2,
             m_hSmallIcon);
}

HCURSOR CCompareDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hSmallIcon); }

void CCompareDlg::OnBrowse1() { BrowseForPath(IDC_PATH1); }
void CCompareDlg::OnBrowse2() { BrowseForPath(IDC_PATH2); }

void CCompareDlg::BrowseForPath(int fieldId) {
    char path[MAX_PATH];
    BROWSEINFOA info = {};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = path;
    info.lpszTitle = sorowa::text::kBrowseTitle;
    // Files can be chosen as well as folders, but only file-system objects.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES;
    const PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&info);
    if (item == nullptr) return;
    if (SHGetPathFromIDListA(item, path)) SetDlgItemTextA(m_hWnd, fieldId, path);
    CoTaskMemFree(item);
}

void CCompareDlg::OnAbout() {
    CAboutDlg about;
    about.DoModal();
}
