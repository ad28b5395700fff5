#include "ui/window_bridges.h"

#include "ui/window_channel.h"

namespace qytxt::ui {

void WindowMessages::showMessage(const core::Text& text, const core::Text& title, core::MessageIcon icon)
{
    m_channel->callAsync([=, messages = m_messages](std::function<void()> done) {
        messages->presentMessage(text, title, icon, std::move(done));
    });
}

void SplitBridge::setSplitButtonCaption(const core::Text& caption)
{
    m_channel->call([=, this] { m_controls->setSplitButtonCaption(caption); });
}

void SplitBridge::setSplitButtonEnabled(bool enabled)
{
    m_channel->call([=, this] { m_controls->setSplitButtonEnabled(enabled); });
}

core::Text MergeBridge::entryText(int index)
{
    core::Text text;
    m_channel->call([&] { text = m_controls->mergeEntryText(index); });
    return text;
}

int MergeBridge::entryCount()
{
    int count = 0;
    m_channel->call([&] { count = m_controls->mergeEntryCount(); });
    return count;
}

core::Text MergeBridge::outputPath()
{
    core::Text path;
    m_channel->call([&] { path = m_controls->mergeOutputPath(); });
    return path;
}

void MergeBridge::setMergeButtonCaption(const core::Text& caption)
{
    m_channel->call([=, this] { m_controls->setMergeButtonCaption(caption); });
}

void MergeBridge::setMergeButtonEnabled(bool enabled)
{
    m_channel->call([=, this] { m_controls->setMergeButtonEnabled(enabled); });
}

void NoticeBridge::openWebAddress(const core::Text& address)
{
    m_channel->call([=, this] { m_controls->openWebAddress(address); });
}

void NoticeBridge::requestDestroy()
{
    // Queued, so the close runs only after the handler that asked for it has returned.
    m_channel->post([controls = m_controls] { controls->requestClose(); });
}

void NoticeBridge::showAd(const core::Text& caption, const notices::CurrentAd& ad)
{
    m_channel->call([=, this] { m_controls->showAd(caption, ad); });
}

void NoticeBridge::setAdCursor(notices::AdCursor cursor)
{
    m_channel->call([=, this] { m_controls->setAdCursor(cursor); });
}

notices::AdCursor NoticeBridge::adCursor()
{
    auto cursor = notices::AdCursor::Default;
    m_channel->call([&] { cursor = m_controls->adCursor(); });
    return cursor;
}

} // namespace qytxt::ui
