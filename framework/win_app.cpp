#include "framework/win_app.h"

namespace {

CWinApp* g_app = nullptr;

}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return -1;
    // The application's dialogs run their own loops inside InitInstance; none runs after it,
    // whatever it returns.
    app->InitInstance();
    return 0;
}
