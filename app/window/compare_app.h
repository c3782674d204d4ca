// The application: it runs the main window and ends when the window closes.
#pragma once

#include "framework/win_app.h"

class CCompareApp : public CWinApp {
public:
    CCompareApp() = default;
    ~CCompareApp() override = default;

    BOOL InitInstance() override;
};
