// A window object attached to a real window. Attaching subclasses the window, carrying the
// object in the subclass's reference data, so that its messages pass through the object's
// message table first and on to the window's own procedure when no entry handles them.
#pragma once

#include <windows.h>

#include "framework/message_map.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // Attaches the object to an existing window, or to a dialog's child control.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT id, CWnd* parent);

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Sees each queued message for the window before it is translated and dispatched;
    // true consumes it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Centres the window over its owner, or on the screen's work area when it has no
    // visible owner.
    void CenterWindow();

protected:
    // The class's message table, chained to its base class's. Each class with a table of its
    // own overrides this alone, reaching its base's table by the qualified call
    // `Base::GetMessageMap()`, which does not dispatch. The window object's own table is empty.
    virtual const MessageMap* GetMessageMap() const;

    // The message being handled, passed on unchanged to the window's own procedure.
    LRESULT Default();

    // Looks the message up in the tables; false when no entry handled it.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);
    void Detach();

    struct CurrentMessage {
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
    };
    CurrentMessage m_current;
};
