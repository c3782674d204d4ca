#include "ui/drop_edit.h"

const MessageMap* CDropEdit::GetThisMessageMap() {
    static const MessageEntry entries[] = {
        OnMessage<&CDropEdit::OnDropFiles>(WM_DROPFILES),
    };
    static const MessageMap map = MakeMessageMap(CEdit::GetThisMessageMap(), entries);
    return &map;
}

void CDropEdit::OnDropFiles(HDROP drop) {
    // A longer name is cut to fit; further names are ignored.
    char name[MAX_PATH];
    if (DragQueryFileA(drop, 0, name, MAX_PATH) == 0) name[0] = '\0';
    SetWindowTextA(m_hWnd, name);
    Default();
    DragFinish(drop);
}
