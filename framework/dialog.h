// Modal dialogs from templates, with data exchange that attaches window objects to the
// template's controls.
#pragma once

#include "framework/wnd.h"

// What DoDataExchange works with.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    bool m_bFailed = false;
};

// Attaches `control` to the dialog's child `id`, once; a control that cannot be attached
// fails the exchange.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_nIDTemplate(templateId), m_pParentWnd(parent) {}

    // Creates the dialog from its template, runs it until EndDialog and destroys it; returns
    // the end code, or -1 when it could not be created. The owner (the parent, else the
    // application's main window) is disabled meanwhile.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    // Runs DoDataExchange; false when it failed.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    const MessageMap* GetMessageMap() const override;

    // Called when the window and its controls exist, before it is shown; true lets the
    // platform give the focus to the first tab stop.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange*) {}
    // The commands IDOK and IDCANCEL: both end the dialog.
    virtual void OnOK();
    virtual void OnCancel();

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND OwnerWindow() const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bModalRunning = false;
    INT_PTR m_nModalResult = -1;
};
