#include "app/compare_app.h"

#include "ui/compare_dlg.h"

CCompareApp theApp;

BOOL CCompareApp::InitInstance() {
    CCompareDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The window has closed: the application ends.
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return AfxWinMain(instance); }
