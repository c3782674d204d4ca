// A static text of a dialog template turned into a link: blue on the button face, red with
// the focus, orange and underlined under the pointer; a click or Enter opens its text
// through the shell, as a mail address when the text holds no colon.
//
// The standard static control still draws the text; the link steers it through the colour
// query, the font it gives the control and redrawing. The template's control needs
// SS_NOTIFY (or no mouse input arrives), WS_TABSTOP, SS_CENTER and SS_CENTERIMAGE.
#pragma once

#include <windows.h>

#include <string>

#include "framework/controls.h"
#include "framework/gdi.h"

class CLinkLabel : public CStatic {
public:
    CLinkLabel();

    // Keys during a press do nothing; Enter opens the link instead of pressing the
    // dialog's default button.
    BOOL PreTranslateMessage(MSG* msg) override;

    // The text colours of the three looks.
    static constexpr COLORREF kNormalColour = RGB(0, 0, 255);
    static constexpr COLORREF kFocusedColour = RGB(255, 0, 0);
    static constexpr COLORREF kHoverColour = RGB(255, 128, 0);

protected:
    const MessageMap* GetMessageMap() const override;

    // Called when the control asks its dialog for colours: the look's text colour on the
    // button face.
    HBRUSH CtlColor(HDC dc, UINT ctlType);
    // Called whenever the pointer is over the control.
    BOOL OnSetCursor(HWND, UINT, UINT);
    // Called when the left button goes down on the control: a press begins.
    void OnLButtonDown(UINT, POINT);
    // Called when the left button comes up: a press released over the control opens it.
    void OnLButtonUp(UINT, POINT point);
    // Called when the pointer moves over the control, or anywhere while it holds the capture.
    void OnMouseMove(UINT, POINT point);
    // Called for the middle and right buttons, down or up: they cancel a press.
    void OnOtherButton(UINT, POINT);
    // Called when the focus goes elsewhere, also during a press, which it ends.
    void OnKillFocus(HWND);
    void OnSetFocus(HWND);
    // Called when the control needs painting; the first paint also fits it to its text.
    void OnPaint();

private:
    // The cursor shown over a link: the help program's hand cursor, as a private copy, else
    // the system's hand, else the arrow.
    void LoadHand();

    // The normal look, or the focused look while the control has the focus.
    void ResetLook();
    // The hover look, and the capture so that leaving the control is seen.
    void EnterHover();
    void CancelPress();
    // The margin around the text, with the focus rectangle while the control has the focus.
    void DrawFrame();
    void OpenLink();

    // Gives the control a fresh font from m_lf with the given underline.
    void ApplyFont(BYTE underline);
    std::wstring Text() const;

    LOGFONTW m_lf = {};  // the dialog's font, taken at the first paint
    int m_bPressed = 0;
    // The private copy, destroyed with the control; none when a shared system cursor is used.
    sorowa::UniqueHandle<CursorTraits> m_ownCursor;
    // What is shown: the copy, or a shared system cursor, which is never destroyed.
    HCURSOR m_hCursor = nullptr;
    CFont m_font;  // holds no font until the first paint has ended
    COLORREF m_crText = kNormalColour;
};
