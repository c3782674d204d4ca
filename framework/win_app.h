// The application object and the program's entry. The application has no message loop of
// its own: its dialogs run theirs.
#pragma once

#include <windows.h>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once at start-up; false ends the application.
    virtual BOOL InitInstance() { return FALSE; }

    // The main window: a dialog opened later without a parent is owned by it.
    CWnd* m_pMainWnd = nullptr;
};

// The one application object, or null when none exists.
CWinApp* AfxGetApp();

// The entry: runs the application object and returns the exit status.
int AfxWinMain();
