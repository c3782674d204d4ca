// The end of a run, and the wait cursor while one is in progress.
#include "engine/texts.h"
#include "res/resource.h"
#include "ui/compare_dlg.h"
#include "ui/shell_open.h"

LRESULT CCompareDlg::OnCompareDone(WPARAM, LPARAM) {
    EnableWindow(GetDlgItem(m_hWnd, IDOK), TRUE);
    EnableWindow(GetDlgItem(m_hWnd, IDC_STOP), FALSE);
    // Posted, so that it is handled once no run is in progress: the arrow comes back at
    // once, without waiting for the mouse to move.
    PostMessageA(m_hWnd, WM_SETCURSOR, 0, 0);
    const int shown = m_nShown;

    // The worker's last act was its notice; it no longer touches the window or the state.
    m_runState.reset();
    if (m_hWorker != nullptr) {
        CloseHandle(m_hWorker);
        m_hWorker = nullptr;
    }

    FlushResultBox();
    if (shown == 0 && !m_bOverflowed) {
        SetDlgItemTextA(m_hWnd, IDC_RESULT, sorowa::text::kAllEqual);
    }
    if (m_fileResult.IsOpen()) {
        const std::string path = m_fileResult.GetFilePath();
        if (!m_fileResult.Close()) {
            AppendToResultBox((std::string("\r\n") + sorowa::text::kCannotWriteResult).c_str());
        }
        sorowa::ShellOpen(m_hWnd, path.c_str());
    }
    return 0;
}

BOOL CCompareDlg::OnSetCursor(HWND, UINT, UINT) {
    // A run is in progress and no stop was requested.
    if (m_runState && !m_runState->StopRequested()) {
        SetCursor(m_hWaitCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}
