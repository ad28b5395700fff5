#pragma once

#include "core/message_window.h"
#include "core/text.h"

namespace qytxt::split {

// What a split job asks of the window. The job calls these from its own thread, in order; each
// returns once it has taken effect (showMessage once the user has dismissed the box).
class SplitWindow : public virtual core::MessageWindow {
public:
    virtual void setSplitButtonCaption(const core::Text& caption) = 0;
    virtual void setSplitButtonEnabled(bool enabled) = 0;
};

} // namespace qytxt::split
