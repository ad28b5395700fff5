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

class SplitBridge : public split::SplitWindow {
public:
    SplitBridge(std::shared_ptr<WindowChannel> channel, MainWindow* window)
        : m_channel(std::move(channel)), m_window(window)
    {
    }
    void showMessage(const core::Text& text, const core::Text& title) override;
    void setSplitButtonCaption(const core::Text& caption) override;
    void setSplitButtonEnabled(bool enabled) override;

private:
    std::shared_ptr<WindowChannel> m_channel;
    MainWindow* m_window; // used only on the window's thread while the channel is open
};

class MergeBridge : public merge::MergeWindow {
public:
    MergeBridge(std::shared_ptr<WindowChannel> channel, MainWindow* window)
        : m_channel(std::move(channel)), m_window(window)
    {
    }
    core::Text entryText(int index) override;
    int entryCount() override;
    core::Text outputPath() override;
    void setMergeButtonCaption(const core::Text& caption) override;
    void setMergeButtonEnabled(bool enabled) override;
    void showMessage(const core::Text& text, const core::Text& title) override;

private:
    std::shared_ptr<WindowChannel> m_channel;
    MainWindow* m_window;
};

class NoticeBridge : public notices::NoticeWindow {
public:
    NoticeBridge(std::shared_ptr<WindowChannel> channel, MainWindow* window)
        : m_channel(std::move(channel)), m_window(window)
    {
    }
    int showMessage(const core::Text& text, unsigned flags, const core::Text& title) override;
    void openWebAddress(const core::Text& address) override;
    void requestDestroy() override;
    void showAd(const core::Text& caption, const notices::CurrentAd& ad) override;
    void setAdCursor(notices::AdCursor cursor) override;
    notices::AdCursor adCursor() override;

private:
    std::shared_ptr<WindowChannel> m_channel;
    MainWindow* m_window;
};

} // namespace qytxt::ui
