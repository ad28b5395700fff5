#include "ui/window_bridges.h"

#include "ui/main_window.h"
#include "ui/window_channel.h"

namespace qytxt::ui {
namespace {

void showOn(WindowChannel& channel, MainWindow* window, const core::Text& text, const core::Text& title,
            MessageIcon icon)
{
    channel.callAsync([=](std::function<void()> done) { window->presentMessage(text, title, icon, std::move(done)); });
}

} // namespace

void SplitBridge::showMessage(const core::Text& text, const core::Text& title)
{
    showOn(*m_channel, m_window, text, title, MessageIcon::None);
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

void MergeBridge::showMessage(const core::Text& text, const core::Text& title)
{
    showOn(*m_channel, m_window, text, title, MessageIcon::None);
}

int NoticeBridge::showMessage(const core::Text& text, unsigned flags, const core::Text& title)
{
    const bool information = (flags & notices::kMessageInformationIcon) != 0;
    showOn(*m_channel, m_window, text, title, information ? MessageIcon::Information : MessageIcon::None);
    return 0; // the only button is OK, and closing the box counts as OK
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
