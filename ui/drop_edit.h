// A path field: it takes the name of a file or folder dropped on it. Its text, UTF-16 as the
// system's names, is the path, whatever the name holds.
#pragma once

#include <string>

#include "framework/controls.h"

class CDropEdit : public CEdit {
public:
    // Puts a path into the field, as it is.
    void SetPath(const std::wstring& path);
    // The field's text, which is the path.
    std::wstring Path() const;

protected:
    const MessageMap* GetMessageMap() const override;

    // Called when items are dropped on the field: the first one's name replaces its text.
    void OnDropFiles(HDROP drop);
};
