#include "ui/drop_edit.h"

#include "framework/window_text.h"
#include "ui/shell_names.h"

const MessageMap* CDropEdit::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnMessage<&CDropEdit::OnDropFiles>(WM_DROPFILES),
    };
    static const MessageMap map = MakeMessageMap(CEdit::GetMessageMap(), entries);
    return &map;
}

void CDropEdit::SetPath(const std::wstring& path) { SetWindowTextW(m_hWnd, path.c_str()); }

std::wstring CDropEdit::Path() const { return WindowText(m_hWnd); }

void CDropEdit::OnDropFiles(HDROP drop) {
    // The first name, whole; further names are ignored.
    SetPath(sorowa::DroppedName(drop, 0));
    Default();
    DragFinish(drop);
}
