#include "ui/drop_edit.h"

#include "framework/window_text.h"
#include "platform/narrow_text.h"
#include "ui/shell_names.h"

const MessageMap* CDropEdit::GetMessageMap() const {
    static const MessageEntry entries[] = {
        OnMessage<&CDropEdit::OnDropFiles>(WM_DROPFILES),
        OnMessage<&CDropEdit::OnGetFieldPath>(WM_GETFIELDPATH),
    };
    static const MessageMap map = MakeMessageMap(CEdit::GetMessageMap(), entries);
    return &map;
}

void CDropEdit::SetPath(const std::wstring& path) {
    m_kept = path;
    m_shown = sorowa::NarrowText(path);
    SetWindowTextA(m_hWnd, m_shown.c_str());
}

std::wstring CDropEdit::Path() const {
    const std::string text = WindowText(m_hWnd);
    // Any edit by the user makes the text the path.
    if (!m_kept.empty() && text == m_shown) return m_kept;
    return sorowa::WideText(text);
}

void CDropEdit::OnDropFiles(HDROP drop) {
    // The first name, whole; further names are ignored.
    SetPath(sorowa::DroppedName(drop, 0));
    Default();
    DragFinish(drop);
}

LRESULT CDropEdit::OnGetFieldPath(WPARAM path, LPARAM) {
    *reinterpret_cast<std::wstring*>(path) = Path();
    return 0;
}
