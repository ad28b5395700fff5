#pragma once

#include "core/message_window.h"
#include "core/text.h"

namespace qytxt::merge {

// What a merge job asks of the window. The job calls these from its own thread, in order; each
// returns once it has taken effect (showMessage once the user has dismissed the box). Reads see
// the controls as they are at the moment of the call.
class MergeWindow : public virtual core::MessageWindow {
public:
    virtual core::Text entryText(int index) = 0; // empty outside the list
    virtual int entryCount() = 0;
    virtual core::Text outputPath() = 0;
    virtual void setMergeButtonCaption(const core::Text& caption) = 0;
    virtual void setMergeButtonEnabled(bool enabled) = 0;
};

} // namespace qytxt::merge
