#include "app/window/compare_app.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/compare_dlg.h"

CCompareApp theApp;

namespace {

// The command line as the system splits it, in the wide form that holds every name.
std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> arguments;
    int count = 0;
    wchar_t** const list = CommandLineToArgvW(GetCommandLineW(), &count);
    if (list == nullptr) return arguments;
    arguments.assign(list, list + count);
    LocalFree(list);
    return arguments;
}

}  // namespace

BOOL CCompareApp::InitInstance() {
    CCompareDlg dlg(CommandLineArguments());
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The window has closed: the application ends.
    return FALSE;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return AfxWinMain(); }
