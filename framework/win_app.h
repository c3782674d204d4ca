// The application object and the program's entry. The application has no message loop of
// its own: its dialogs run theirs.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once at start-up; false ends the application.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }

    // The main window: a dialog opened later without a parent is owned by it.
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
    const char* m_pszAppName;
};

// The one application object, or null when none exists.
CWinApp* AfxGetApp();

// The entry: runs the application object and returns the exit status.
int AfxWinMain(HINSTANCE instance);
