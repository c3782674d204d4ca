// A path field: it takes the name of a file or folder dropped on it, and keeps whole a path
// put into it that the windows' code page cannot show.
#pragma once

#include <string>

#include "framework/controls.h"

// Asks a path field for its path, from any thread: the first parameter points to the
// std::wstring that receives it.
constexpr UINT WM_GETFIELDPATH = WM_APP + 102;

class CDropEdit : public CEdit {
public:
    // Puts a path into the field. The field shows it in the code page, with `?` for each
    // character the code page lacks, and keeps the path itself behind that text.
    void SetPath(const std::wstring& path);
    // The path the field stands for: the kept path while the field still shows what was put
    // there, else the text as it reads now.
    std::wstring Path() const;

protected:
    const MessageMap* GetMessageMap() const override;

    // Called when items are dropped on the field: the first one's name replaces its text.
    void OnDropFiles(HDROP drop);
    // Called from a run's worker, which waits for the answer.
    LRESULT OnGetFieldPath(WPARAM path, LPARAM);

private:
    std::wstring m_kept;
    // What the field showed when m_kept was put there.
    std::string m_shown;
};
