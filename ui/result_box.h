// What the result sink needs of the window that hosts it: the result box, the first path
// field as it reads now, and a timer for the pieces that wait for the box.
#pragma once

#include <string>

namespace sorowa {

class ResultBox {
public:
    virtual ~ResultBox() = default;

    // The box's whole text, anything the user typed into it included.
    virtual std::string BoxText() = 0;
    // Replaces the box's whole text.
    virtual void SetBoxText(const std::string& text) = 0;
    // Puts `text` at the end of the box's text, without reading or rewriting what is there.
    virtual void AppendToBox(const std::string& text) = 0;
    // The first path as its field holds it now, in UTF-8: the result file goes beside it.
    virtual std::string FirstPathText() = 0;
    // Has ResultSink::OnFlushTimer called after `ms`, and again every `ms` until
    // StopFlushTimer; false when no timer could be set.
    virtual bool StartFlushTimer(unsigned ms) = 0;
    virtual void StopFlushTimer() = 0;
};

}  // namespace sorowa
