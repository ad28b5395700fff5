#pragma once

#include "core/message_window.h"
#include "core/text.h"
#include "notices/ad_rotation.h"

#include <functional>

// What the bridges reach in the window, one narrow view per user. Every call is made on the
// window's thread.
namespace qytxt::ui {

class SplitControls {
public:
    virtual void setSplitButtonCaption(const core::Text& caption) = 0;
    virtual void setSplitButtonEnabled(bool enabled) = 0;

protected:
    ~SplitControls() = default;
};

class MergeControls {
public:
    virtual void setMergeButtonCaption(const core::Text& caption) = 0;
    virtual void setMergeButtonEnabled(bool enabled) = 0;
    virtual core::Text mergeEntryText(int index) const = 0;
    virtual int mergeEntryCount() const = 0;
    virtual core::Text mergeOutputPath() const = 0;

protected:
    ~MergeControls() = default;
};

class NoticeControls {
public:
    virtual void showAd(const core::Text& caption, const notices::CurrentAd& ad) = 0;
    virtual void setAdCursor(notices::AdCursor cursor) = 0;
    virtual notices::AdCursor adCursor() const = 0;
    virtual void openWebAddress(const core::Text& address) = 0;
    // Closes the window, once the start has finished when asked during it (the update check).
    virtual void requestClose() = 0;

protected:
    ~NoticeControls() = default;
};

class MessageControls {
public:
    // Shows a box without blocking the window; `dismissed` runs once it is closed.
    virtual void presentMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon,
                                std::function<void()> dismissed) = 0;

protected:
    ~MessageControls() = default;
};

} // namespace qytxt::ui
