#include "ui/drop_edit.h"

#include "ui/shell_names.h"

const MessageMap* CDropEdit::GetThisMessageMap() {
    static const MessageEntry entries[] = {
        OnMessage<&CDropEdit::OnDropFiles>(WM_DROPFILES),
    };
    static const MessageMap map = MakeMessageMap(CEdit::GetThisMessageMap(), entries);
    return &map;
}

void CDropEdit::OnDropFiles(HDROP drop) {
    // The first name, whole; further names are ignored.
    SetWindowTextA(m_hWnd, sorowa::DroppedName(drop, 0).c_str());
    Default();
    DragFinish(drop);
}
