#pragma once

#include <QObject>
#include <QThread>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QEventLoop;

namespace qytxt::ui {

// Hands work from any thread to the thread of one QObject (the window) and waits until it is
// done, so calls arrive in the order they were issued and workers never touch a widget. Closing
// the channel refuses further calls and releases every caller still waiting, so a window that
// goes away never leaves a worker blocked.
//
// Shared by the window and its workers; the window closes it before it is destroyed.
class WindowChannel : public std::enable_shared_from_this<WindowChannel> {
public:
    // Called on the window's thread; the work calls `done` when it has finished, possibly later
    // (a message box calls it when it is dismissed).
    using AsyncWork = std::function<void(std::function<void()> done)>;

    explicit WindowChannel(QObject* context) : m_context(context), m_thread(context->thread()) {}

    // Runs `work` on the context's thread and returns once it has finished. False when the
    // channel was closed before the work finished (the work may then not have run at all).
    bool call(std::function<void()> work);
    bool callAsync(AsyncWork work);

    // Queues `work` on the context's thread without waiting. False when the channel is closed.
    bool post(std::function<void()> work);

    // Refuses further calls and releases the callers that wait. Call on the window's thread.
    void close();
    bool isClosed() const;

private:
    bool onContextThread() const;

    QObject* m_context; // alive until close(); only posted to under m_mutex before that
    QThread* m_thread;
    mutable std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_closed = false;
    std::vector<QEventLoop*> m_localLoops; // window's thread only
};

} // namespace qytxt::ui
