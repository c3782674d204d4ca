// The About box: the icon, the product name and version and the copyright line from the
// program's version block, and the two links.
#pragma once

#include <string>

#include "framework/dialog.h"
#include "ui/link_label.h"

class CAboutDlg : public CDialog {
public:
    // `programPath` is the path the program was started with (argument 0 of its command
    // line): the version block is read from it.
    explicit CAboutDlg(std::wstring programPath = {}, CWnd* parent = nullptr);
    ~CAboutDlg() override;

protected:
    const MessageMap* GetMessageMap() const override;

    void DoDataExchange(CDataExchange* pDX) override;
    // Fills the version and copyright lines; the focus goes to OK.
    BOOL OnInitDialog() override;

    // Called for left and right presses on the box itself, or on its icon and texts, which
    // let them through: the focus goes back to OK.
    void OnButtonDown(UINT, POINT);
    // Called when a press is about to activate the box, or reaches it from one of its
    // controls.
    BOOL OnMouseActivate(HWND, UINT, UINT message);

private:
    std::wstring m_programPath;
    CLinkLabel m_linkUrl;
    CLinkLabel m_linkMail;
};
