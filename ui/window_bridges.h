#pragma once

#include "merge/merge_window.h"
#include "notices/notice_window.h"
#include "split/split_window.h"

#include <memory>

namespace qytxt::ui {

class MainWindow;
class WindowChannel;

// The jobs' and the ad rotation's view of the window. Every call is carried out on the window's
// thread, in the order issued, and returns once done. Once the window has closed every call
// returns at once: messages count as answered with OK, reads give nothing.

// The message box every bridge shows, once for all of them.
class WindowMessages : public virtual core::MessageWindow {
public:
    void showMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon) final;

protected:
    WindowMessages(std::shared_ptr<WindowChannel> channel, MainWindow* window)
        : m_channel(std::move(channel)), m_window(window)
    {
    }

    std::shared_ptr<WindowChannel> m_channel;
    MainWindow* m_window; // used only on the window's thread while the channel is open
};

class SplitBridge : public split::SplitWindow, public WindowMessages {
public:
    SplitBridge(std::shared_ptr<WindowChannel> channel, MainWindow* window) : WindowMessages(std::move(channel), window)
    {
    }
    void setSplitButtonCaption(const core::Text& caption) override;
    void setSplitButtonEnabled(bool enabled) override;
};

class MergeBridge : public merge::MergeWindow, public WindowMessages {
public:
    MergeBridge(std::shared_ptr<WindowChannel> channel, MainWindow* window) : WindowMessages(std::move(channel), window)
    {
    }
    core::Text entryText(int index) override;
    int entryCount() override;
    core::Text outputPath() override;
    void setMergeButtonCaption(const core::Text& caption) override;
    void setMergeButtonEnabled(bool enabled) override;
};

class NoticeBridge : public notices::NoticeWindow, public WindowMessages {
public:
    NoticeBridge(std::shared_ptr<WindowChannel> channel, MainWindow* window)
        : WindowMessages(std::move(channel), window)
    {
    }
    void openWebAddress(const core::Text& address) override;
    void requestDestroy() override;
    void showAd(const core::Text& caption, const notices::CurrentAd& ad) override;
    void setAdCursor(notices::AdCursor cursor) override;
    notices::AdCursor adCursor() override;
};

} // namespace qytxt::ui
