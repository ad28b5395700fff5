#include "ui/window_bridges.h"

#include "ui/main_window.h"
#include "ui/window_channel.h"

namespace qytxt::ui {

void WindowMessages::showMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon)
{
    m_channel->callAsync([=, window = m_window](std::function<void()> done) {
        window->presentMessage(text, title, icon, std::move(done));
    });
}

void SplitBridge::setSplitButtonCaption(const core::Text& caption)
{
    m_channel->call([=, this] { m_window->setSplitButtonCaption(caption); });
}

void SplitBridge::setSplitButtonEnabled(bool enabled)
{
    m_channel->call([=, this] { m_window->setSplitButtonEnabled(enabled); });
}

core::Text MergeBridge::entryText(int index)
{
    core::Text text;
    m_channel->call([&] { text = m_window->mergeEntryText(index); });
    return text;
}

int MergeBridge::entryCount()
{
    int count = 0;
    m_channel->call([&] { count = m_window->mergeEntryCount(); });
    return count;
}

core::Text MergeBridge::outputPath()
{
    core::Text path;
    m_channel->call([&] { path = m_window->mergeOutputPath(); });
    return path;
}

void MergeBridge::setMergeButtonCaption(const core::Text& caption)
{
    m_channel->call([=, this] { m_window->setMergeButtonCaption(caption); });
}

void MergeBridge::setMergeButtonEnabled(bool enabled)
{
    m_channel->call([=, this] { m_window->setMergeButtonEnabled(enabled); });
}

void NoticeBridge::openWebAddress(const core::Text& address)
{
    m_channel->call([=, this] { m_window->openWebAddress(address); });
}

void NoticeBridge::requestDestroy()
{
    // Queued, so the close runs only after the handler that asked for it has returned.
    m_channel->post([window = m_window] { window->requestClose(); });
}

void NoticeBridge::showAd(const core::Text& caption, const notices::CurrentAd& ad)
{
    m_channel->call([=, this] { m_window->showAd(caption, ad); });
}

void NoticeBridge::setAdCursor(notices::AdCursor cursor)
{
    m_channel->call([=, this] { m_window->setAdCursor(cursor); });
}

notices::AdCursor NoticeBridge::adCursor()
{
    auto cursor = notices::AdCursor::Default;
    m_channel->call([&] { cursor = m_window->adCursor(); });
    return cursor;
}

} // namespace qytxt::ui
