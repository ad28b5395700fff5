#pragma once

#include "merge/merge_window.h"
#include "notices/notice_window.h"
#include "split/split_window.h"
#include "ui/window_controls.h"

#include <memory>

namespace qytxt::ui {

class WindowChannel;

// The jobs' and the ad rotation's view of the window. Every call is carried out on the window's
// thread, in the order issued, and returns once done. Once the window has closed every call
// returns at once: messages count as answered with OK, reads give nothing.

// The message box every bridge shows, once for all of them.
class WindowMessages : public virtual core::MessageWindow {
public:
    void showMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon) final;

protected:
    WindowMessages(std::shared_ptr<WindowChannel> channel, MessageControls* messages)
        : m_channel(std::move(channel)), m_messages(messages)
    {
    }

    std::shared_ptr<WindowChannel> m_channel;

private:
    MessageControls* m_messages; // used only on the window's thread while the channel is open
};

class SplitBridge : public split::SplitWindow, public WindowMessages {
public:
    SplitBridge(std::shared_ptr<WindowChannel> channel, SplitControls* controls, MessageControls* messages)
        : WindowMessages(std::move(channel), messages), m_controls(controls)
    {
    }
    void setSplitButtonCaption(const core::Text& caption) override;
    void setSplitButtonEnabled(bool enabled) override;

private:
    SplitControls* m_controls;
};

class MergeBridge : public merge::MergeWindow, public WindowMessages {
public:
    MergeBridge(std::shared_ptr<WindowChannel> channel, MergeControls* controls, MessageControls* messages)
        : WindowMessages(std::move(channel), messages), m_controls(controls)
    {
    }
    core::Text entryText(int index) override;
    int entryCount() override;
    core::Text outputPath() override;
    void setMergeButtonCaption(const core::Text& caption) override;
    void setMergeButtonEnabled(bool enabled) override;

private:
    MergeControls* m_controls;
};

class NoticeBridge : public notices::NoticeWindow, public WindowMessages {
public:
    NoticeBridge(std::shared_ptr<WindowChannel> channel, NoticeControls* controls, MessageControls* messages)
        : WindowMessages(std::move(channel), messages), m_controls(controls)
    {
    }
    void openWebAddress(const core::Text& address) override;
    void requestDestroy() override;
    void showAd(const core::Text& caption, const notices::CurrentAd& ad) override;
    void setAdCursor(notices::AdCursor cursor) override;
    notices::AdCursor adCursor() override;

private:
    NoticeControls* m_controls;
};

} // namespace qytxt::ui
