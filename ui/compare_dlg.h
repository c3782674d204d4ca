// The main window: the two path fields, Start and Stop, and the home of every run. The
// worker of a run reaches it only through the run's receiver (WindowRun); the report goes
// through the result sink, for which the window is the box.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/file_services.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "ui/drop_edit.h"
#include "ui/result_box.h"
#include "ui/result_sink.h"
#include "ui/taskbar_progress.h"
#include "ui/window_run.h"

class CCompareDlg : public CDialog, private sorowa::ResultBox {
public:
    // `commandLine` is the program's command line as the system splits it: the program's
    // path, then the arguments, of which the first two fill the path fields.
    explicit CCompareDlg(std::vector<std::wstring> commandLine = {}, CWnd* parent = nullptr);
    ~CCompareDlg() override;

    // How long a closing window waits for the worker of a run in progress.
    static constexpr DWORD kCloseWaitMs = 2000;

protected:
    const MessageMap* GetMessageMap() const override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Start: begins a run when both path fields hold text. Never closes the window.
    void OnOK() override;
    // The file services of a run: the system's, unless a test gives others.
    virtual std::unique_ptr<sorowa::FileServices> MakeFileServices();
    // The taskbar button's progress calls: the system's, unless a test records them.
    virtual std::unique_ptr<sorowa::TaskbarButton> MakeTaskbarButton();

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBrowse1();
    void OnBrowse2();
    LRESULT OnCompareDone(WPARAM end, LPARAM);
    LRESULT OnCompareOutput(WPARAM pieces, LPARAM length);
    void OnStop();
    BOOL OnSetCursor(HWND, UINT, UINT);
    void OnAbout();
    void OnDestroy();
    void OnTimer(UINT_PTR timerId);
    // Called when the window moves to a monitor of another scale, or the scale changes: the
    // window takes the rectangle the system suggests, and the result box's font and the
    // icons are made again for the new scale.
    void OnDpiChanged(UINT dpi, const RECT& suggested);

    void BrowseForPath(CDropEdit& field);

private:
    // Enables Stop and disables Start while a run is in progress, and the other way round;
    // the focus follows when it was on the button disabled, so that the keyboard never rests
    // on a disabled button.
    void SwitchStartAndStop(bool running);
    // Gives the window its large and small icons at `dpi`, sized as the system metrics size
    // them at the system's own scale.
    void SetIcons(int dpi);

    // The result box, as the sink sees it.
    std::string BoxText() override;
    void SetBoxText(const std::string& text) override;
    void AppendToBox(const std::string& text) override;
    std::string FirstPathText() override;
    bool StartFlushTimer(unsigned ms) override;
    void StopFlushTimer() override;
    static constexpr UINT_PTR kFlushTimer = 1;
    // A run's progress on the taskbar button, looked at this often while it runs; made at
    // its first look, and cleared at the end of the run and when the window goes.
    static constexpr UINT_PTR kProgressTimer = 2;
    static constexpr UINT kProgressEveryMs = 250;
    void ShowRunProgress();
    void ClearRunProgress();

    std::vector<std::wstring> m_commandLine;
    CDropEdit m_editPath2;
    CDropEdit m_editPath1;
    CIcon m_iconLarge;
    CIcon m_iconSmall;
    HCURSOR m_hWaitCursor;
    sorowa::ResultSink m_sink;
    // The run in progress, shared with its worker, from Start until its end notice arrives.
    std::shared_ptr<sorowa::WindowRun> m_run;
    // Its worker, for the wait when the window closes.
    sorowa::ThreadHandle m_worker;
    CFont m_fontResult;
    std::unique_ptr<sorowa::RunTaskbar> m_taskbar;
};
