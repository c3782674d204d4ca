// The main window: the two path fields, Start and Stop, and the home of every run. The
// worker of a run reaches it only through the receiver interface.
#pragma once

#include <atomic>
#include <memory>
#include <string>

#include "engine/compare_receiver.h"
#include "engine/run_state.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/stdio_file.h"
#include "ui/drop_edit.h"

class CCompareDlg : public CDialog, public sorowa::CompareReceiver {
public:
    explicit CCompareDlg(CWnd* parent = nullptr);
    ~CCompareDlg() override;

    // What a run's worker asks of the window, from the worker's thread.
    std::string GetPathText1() override;
    std::string GetPathText2() override;
    bool SendPiece(const char* piece) override;
    void NotifyDone(sorowa::RunEnd end) override;

    // Bytes of report text the result box may show in one run.
    static constexpr int kDisplayBudget = 30000;

protected:
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    // Start: begins a run when both path fields hold text. Never closes the window.
    void OnOK() override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBrowse1();
    void OnBrowse2();
    LRESULT OnCompareDone(WPARAM, LPARAM);
    LRESULT OnCompareOutput(WPARAM wParam, LPARAM);
    void OnStop();
    BOOL OnSetCursor(HWND, UINT, UINT);
    void OnAbout();
    void OnDestroy();
    void OnTimer(UINT_PTR timerId);

    void BrowseForPath(int fieldId);

private:
    static DWORD WINAPI FolderThreadEntry(void* dialog);
    static DWORD WINAPI FileThreadEntry(void* dialog);
    static std::string WindowText(HWND hwnd);

    // The result sink's steps.
    void AppendToResultBox(const char* text);
    void Overflow(const char* piece, size_t length);
    // Puts the pieces that wait for the box into it.
    void FlushResultBox();
    static constexpr UINT kFlushMs = 50;
    static constexpr UINT_PTR kFlushTimer = 1;

    CDropEdit m_editPath2;
    CDropEdit m_editPath1;
    HICON m_hIcon;
    HICON m_hSmallIcon;
    HCURSOR m_hWaitCursor;
    CStdioFile m_fileResult;
    int m_nShown = 0;
    std::string m_strPending;  // shown pieces not yet in the box, in order
    DWORD m_dwLastFlush = 0;
    bool m_bFlushTimer = false;
    // The run overflowed; the result file is open unless none could be created.
    bool m_bOverflowed = false;
    // The worker of the run in progress, until its end notice arrives.
    HANDLE m_hWorker = nullptr;
    // The state of the run in progress, from Start until its end notice arrives.
    std::unique_ptr<sorowa::RunState> m_runState;
    // Set once when the window goes during a run: the worker hands nothing more over.
    std::atomic<bool> m_bClosing{false};
    CFont m_fontResult;
};
