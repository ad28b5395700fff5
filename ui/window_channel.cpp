#include "ui/window_channel.h"

#include <QEventLoop>
#include <QMetaObject>
#include <QThread>

namespace qytxt::ui {

bool WindowChannel::call(std::function<void()> work)
{
    return callAsync([work = std::move(work)](std::function<void()> done) {
        work();
        done();
    });
}

bool WindowChannel::callAsync(AsyncWork work)
{
    auto finished = std::make_shared<bool>(false);
    auto self = shared_from_this();
    auto done = [self, finished] {
        {
            std::lock_guard lock(self->m_mutex);
            *finished = true;
        }
        self->m_finished.notify_all();
    };

    if (onContextThread()) {
        // The window's own thread waits for asynchronous work in a local event loop, so the
        // window keeps serving events while, say, a message box is open.
        if (isClosed())
            return false;
        auto loop = std::make_shared<QEventLoop>();
        std::weak_ptr<QEventLoop> weakLoop = loop;
        work([done, weakLoop] {
            done();
            if (auto waiting = weakLoop.lock())
                waiting->quit();
        });
        if (!*finished && !isClosed()) {
            m_localLoops.push_back(loop.get());
            loop->exec();
            std::erase(m_localLoops, loop.get());
        }
        return *finished;
    }

    std::unique_lock lock(m_mutex);
    if (m_closed)
        return false;
    QMetaObject::invokeMethod(
        m_context,
        [self, work = std::move(work), done] {
            // Work queued before the window closed is dropped rather than shown afterwards.
            if (self->isClosed()) {
                done();
                return;
            }
            work(done);
        },
        Qt::QueuedConnection);
    m_finished.wait(lock, [&] { return *finished || m_closed; });
    return *finished;
}

bool WindowChannel::post(std::function<void()> work)
{
    std::lock_guard lock(m_mutex);
    if (m_closed)
        return false;
    QMetaObject::invokeMethod(m_context, std::move(work), Qt::QueuedConnection);
    return true;
}

void WindowChannel::close()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
    }
    m_finished.notify_all();
    for (QEventLoop* loop : m_localLoops)
        loop->quit();
}

bool WindowChannel::isClosed() const
{
    std::lock_guard lock(m_mutex);
    return m_closed;
}

bool WindowChannel::onContextThread() const
{
    return QThread::currentThread() == m_thread;
}

} // namespace qytxt::ui
