// A path field that takes the name of a file or folder dropped on it.
#pragma once

#include "framework/controls.h"

class CDropEdit : public CEdit {
protected:
    static const MessageMap* GetThisMessageMap();
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

    // Called when items are dropped on the field: the first one's name replaces its text.
    void OnDropFiles(HDROP drop);
};
