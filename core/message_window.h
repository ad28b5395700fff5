#pragma once

#include "core/text.h"

namespace qytxt::core {

// The icon beside a message's text.
enum class MessageIcon { None, Information };

// Where the jobs and the notices show their messages: a box with one OK button in the window, a line
// on stderr in a terminal. Implemented once by each, and shared by every interface that shows one.
class MessageWindow {
public:
    virtual ~MessageWindow() = default;

    // A box titled `title`; returns once the user has dismissed it (closing it counts as OK).
    virtual void showMessage(const Text& text, const Text& title, MessageIcon icon) = 0;
};

} // namespace qytxt::core
