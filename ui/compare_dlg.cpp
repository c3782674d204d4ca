#include "ui/compare_dlg.h"

#include <shlobj.h>
#include <utility>

#include "ui/texts.h"
#include "framework/window_text.h"
#include "platform/narrow_text.h"
#include "platform/win32_file_services.h"
#include "res/resource.h"
#include "ui/about_dlg.h"
#include "ui/shell_names.h"

using sorowa::WM_COMPARE_DONE;
using sorowa::WM_COMPARE_OUTPUT;

namespace {

// The scale of the system, in pixels per inch, at which the system metrics are given.
int SystemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi;
}

// The result box's face, 9 points.
constexpr int kResultFontSize = 90;
std::wstring ResultFontFace() { return sorowa::WideText(sorowa::text::kResultFontFace); }

}  // namespace

CCompareDlg::CCompareDlg(std::vector<std::wstring> commandLine, CWnd* parent)
    : CDialog(IDD_MAIN, parent),
      m_commandLine(std::move(commandLine)),
      m_hWaitCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT))),
      m_sink(*this) {}

CCompareDlg::~CCompareDlg() = default;

const MessageMap* CCompareDlg::GetMessageMap() const {
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
        OnMessage<&CCompareDlg::OnDpiChanged>(WM_DPICHANGED),
    };
    static const MessageMap map = MakeMessageMap(CDialog::GetMessageMap(), entries);
    return &map;
}

void CCompareDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PATH2, m_editPath2);
    DDX_Control(pDX, IDC_PATH1, m_editPath1);
}

BOOL CCompareDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetIcons(SystemDpi());

    // The result box alone uses the fixed-pitch face, so that the columns line up.
    m_fontResult.CreatePointFont(kResultFontSize, ResultFontFace().c_str());
    SendDlgItemMessageW(m_hWnd, IDC_RESULT, WM_SETFONT,
                        reinterpret_cast<WPARAM>(m_fontResult.GetSafeHandle()), TRUE);
    // The box holds a report of up to the display budget, text the user types and the notices
    // after them: none of it may be cut by the edit's default limit (30000 bytes on some
    // systems), so the limit is the largest there is.
    SendDlgItemMessageW(m_hWnd, IDC_RESULT, EM_SETLIMITTEXT, 0, 0);

    // Arguments 1 and 2 fill the path fields as they are; no run starts by itself.
    if (m_commandLine.size() > 1) m_editPath1.SetPath(m_commandLine[1]);
    if (m_commandLine.size() > 2) m_editPath2.SetPath(m_commandLine[2]);
    return TRUE;
}

void CCompareDlg::OnOK() {
    if (GetWindowTextLengthW(m_editPath1.m_hWnd) == 0) return;
    if (GetWindowTextLengthW(m_editPath2.m_hWnd) == 0) return;

    SwitchStartAndStop(true);
    m_sink.BeginRun();

    // The mode is decided through the same file services as the worker then uses.
    std::unique_ptr<sorowa::FileServices> files = MakeFileServices();
    const sorowa::RunStart start =
        sorowa::DecideRunStart(sorowa::Utf8FromWide(m_editPath1.Path()), *files);
    m_run = std::make_shared<sorowa::WindowRun>(m_hWnd, m_editPath1.m_hWnd, m_editPath2.m_hWnd,
                                                std::move(files), start);
    m_worker = sorowa::WindowRun::StartWorker(m_run);
    if (!m_worker) {
        // No worker, so no end notice will come: back to idle at once.
        m_run.reset();
        SwitchStartAndStop(false);
        return;
    }
    SetTimer(m_hWnd, kProgressTimer, kProgressEveryMs, nullptr);
}

std::unique_ptr<sorowa::FileServices> CCompareDlg::MakeFileServices() {
    return std::make_unique<sorowa::Win32FileServices>();
}

std::unique_ptr<sorowa::TaskbarButton> CCompareDlg::MakeTaskbarButton() {
    return sorowa::SystemTaskbarButton();
}

// Called by the progress timer while a run is in progress. The taskbar list is made at the
// first look, a quarter of a second into the run, when the button has long been there.
void CCompareDlg::ShowRunProgress() {
    if (!m_run) return;
    if (!m_taskbar) m_taskbar = std::make_unique<sorowa::RunTaskbar>(MakeTaskbarButton());
    m_taskbar->Show(m_hWnd, m_run->State().Start().folderMode, m_run->PairDone(),
                    m_run->PairLength());
}

void CCompareDlg::ClearRunProgress() {
    KillTimer(m_hWnd, kProgressTimer);
    if (m_taskbar) m_taskbar->Clear(m_hWnd);
}

void CCompareDlg::SwitchStartAndStop(bool running) {
    const HWND from = GetDlgItem(m_hWnd, running ? IDOK : IDC_STOP);
    const HWND to = GetDlgItem(m_hWnd, running ? IDC_STOP : IDOK);
    // Asked before anything changes: a disabled button loses the focus to nobody.
    const bool hadFocus = GetFocus() == from;
    EnableWindow(to, TRUE);
    // The dialog's own focus move, so that the default-button look goes along.
    if (hadFocus) SendMessageW(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(to), TRUE);
    EnableWindow(from, FALSE);
}

void CCompareDlg::OnStop() {
    if (m_run) m_run->State().RequestStop();
}

// Called for each hand-over of report pieces, while the worker waits.
LRESULT CCompareDlg::OnCompareOutput(WPARAM pieces, LPARAM length) {
    return m_sink.TakePieces(reinterpret_cast<const char*>(pieces), static_cast<size_t>(length))
               ? 1
               : 0;
}

// Called when the flush timer runs out: the pieces have paused.
void CCompareDlg::OnTimer(UINT_PTR timerId) {
    if (timerId == kFlushTimer) m_sink.OnFlushTimer();
    if (timerId == kProgressTimer) ShowRunProgress();
}

// The box holds its text in UTF-16; the sink's texts are code page 932, converted here, once
// each way: a piece as it goes in, the whole text when it goes to the result file.
std::string CCompareDlg::BoxText() {
    return sorowa::NarrowText(WindowText(GetDlgItem(m_hWnd, IDC_RESULT)));
}

void CCompareDlg::SetBoxText(const std::string& text) {
    SetDlgItemTextW(m_hWnd, IDC_RESULT, sorowa::WideText(text).c_str());
}

void CCompareDlg::AppendToBox(const std::string& text) {
    const std::wstring wide = sorowa::WideText(text);
    const HWND box = GetDlgItem(m_hWnd, IDC_RESULT);
    const int end = GetWindowTextLengthW(box);
    // The caret moves while the text goes in; a user typing in the box gets it back.
    const bool hadFocus = GetFocus() == box;
    if (hadFocus) SetFocus(GetDlgItem(m_hWnd, IDOK));
    SendMessageW(box, EM_SETSEL, static_cast<WPARAM>(end), end);
    SendMessageW(box, EM_SCROLLCARET, 0, 0);
    SendMessageW(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    if (hadFocus) SetFocus(box);
}

std::string CCompareDlg::FirstPathText() { return sorowa::Utf8FromWide(m_editPath1.Path()); }

bool CCompareDlg::StartFlushTimer(unsigned ms) {
    return SetTimer(m_hWnd, kFlushTimer, ms, nullptr) != 0;
}

void CCompareDlg::StopFlushTimer() { KillTimer(m_hWnd, kFlushTimer); }

// Called when the window goes, also during a run. The worker is asked to stop and gets a
// short time to end, while this thread serves what it may be waiting for (a piece, the text
// of a field); then the window goes, whatever the worker does. The worker shares the run,
// not the window: once detached, nothing it does reaches the window or this object.
void CCompareDlg::OnDestroy() {
    ClearRunProgress();
    m_taskbar.reset();
    if (m_run) {
        m_run->Detach();
        const DWORD start = GetTickCount();
        for (DWORD waited = 0; waited < kCloseWaitMs; waited = GetTickCount() - start) {
            const HANDLE worker = m_worker.get();
            if (MsgWaitForMultipleObjects(1, &worker, FALSE, kCloseWaitMs - waited,
                                          QS_SENDMESSAGE) != WAIT_OBJECT_0 + 1) {
                break;
            }
            MSG msg;
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        }
        m_worker.reset();
        m_run.reset();
    }
    Default();
}

void CCompareDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessageW(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(static_cast<HDC>(dc)), 0);
    const int cx = GetSystemMetrics(SM_CXICON);
    const int cy = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(m_hWnd, &rect);
    DrawIcon(dc, (rect.right - rect.left - cx + 1) / 2, (rect.bottom - rect.top - cy + 1) / 2,
             m_iconSmall);
}

HCURSOR CCompareDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_iconSmall.GetSafeHandle()); }

void CCompareDlg::SetIcons(int dpi) {
    const HINSTANCE module = GetModuleHandleW(nullptr);
    const int systemDpi = SystemDpi();
    CIcon largeIcon =
        CIcon::Load(module, IDR_MAINFRAME, MulDiv(GetSystemMetrics(SM_CXICON), dpi, systemDpi));
    CIcon smallIcon =
        CIcon::Load(module, IDR_MAINFRAME, MulDiv(GetSystemMetrics(SM_CXSMICON), dpi, systemDpi));
    // The window lets go of the old icons before they are destroyed.
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(largeIcon.GetSafeHandle()));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(smallIcon.GetSafeHandle()));
    m_iconLarge = std::move(largeIcon);
    m_iconSmall = std::move(smallIcon);
}

void CCompareDlg::OnDpiChanged(UINT dpi, const RECT& suggested) {
    // The dialog manager scales the template's items and their font.
    Default();
    SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    CFont font;
    font.CreatePointFontAtDpi(kResultFontSize, ResultFontFace().c_str(), static_cast<int>(dpi));
    SendDlgItemMessageW(m_hWnd, IDC_RESULT, WM_SETFONT,
                        reinterpret_cast<WPARAM>(font.GetSafeHandle()), TRUE);
    m_fontResult = std::move(font);
    SetIcons(static_cast<int>(dpi));
}

void CCompareDlg::OnBrowse1() { BrowseForPath(m_editPath1); }
void CCompareDlg::OnBrowse2() { BrowseForPath(m_editPath2); }

void CCompareDlg::BrowseForPath(CDropEdit& field) {
    wchar_t displayName[MAX_PATH];
    const std::wstring title = sorowa::WideText(sorowa::text::kBrowseTitle);
    BROWSEINFOW info = {};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    // Files can be chosen as well as folders, but only file-system objects.
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES;
    const PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&info);
    if (item == nullptr) return;
    std::wstring path;
    if (sorowa::PathOfItem(item, path)) field.SetPath(path);
    CoTaskMemFree(item);
}

void CCompareDlg::OnAbout() {
    CAboutDlg about(m_commandLine.empty() ? std::wstring() : m_commandLine[0]);
    about.DoModal();
}
