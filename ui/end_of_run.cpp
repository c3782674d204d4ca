// The end of a run, and the wait cursor while one is in progress.
#include "res/resource.h"
#include "ui/compare_dlg.h"
#include "ui/shell_open.h"

LRESULT CCompareDlg::OnCompareDone(WPARAM end, LPARAM) {
    SwitchStartAndStop(false);
    ClearRunProgress();
    // Posted, so that it is handled once no run is in progress: the arrow comes back at
    // once, without waiting for the mouse to move.
    PostMessageW(m_hWnd, WM_SETCURSOR, 0, 0);

    // The worker's last act was its notice; it no longer touches the window or the run.
    m_run.reset();
    m_worker.reset();

    const std::wstring resultFile = m_sink.EndRun(static_cast<sorowa::RunEnd>(end));
    if (!resultFile.empty()) sorowa::ShellOpen(m_hWnd, resultFile);
    return 0;
}

BOOL CCompareDlg::OnSetCursor(HWND, UINT, UINT) {
    // A run is in progress and no stop was requested.
    if (m_run && !m_run->State().StopRequested()) {
        SetCursor(m_hWaitCursor);
        return TRUE;
    }
    return static_cast<BOOL>(Default());
}
