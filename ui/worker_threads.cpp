#include "ui/worker_threads.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <new>
#include <sys/resource.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace qytxt::ui {

struct WorkerThreads::Shared {
    struct Worker {
        std::thread thread;
        std::shared_ptr<bool> finished;
    };
    mutable std::mutex mutex;
    std::condition_variable finishedOne;
    std::vector<Worker> workers;
    int running = 0;

    void joinFinished()
    {
        std::vector<std::thread> done;
        {
            std::lock_guard lock(mutex);
            auto split = std::stable_partition(workers.begin(), workers.end(),
                                               [](const Worker& worker) { return !*worker.finished; });
            for (auto it = split; it != workers.end(); ++it)
                done.push_back(std::move(it->thread));
            workers.erase(split, workers.end());
        }
        for (auto& thread : done)
            thread.join();
    }
};

WorkerThreads::WorkerThreads(Starter starter) : m_shared(std::make_shared<Shared>()), m_starter(std::move(starter)) {}

WorkerThreads::~WorkerThreads()
{
    m_shared->joinFinished();
    std::lock_guard lock(m_shared->mutex);
    for (auto& worker : m_shared->workers)
        worker.thread.detach();
    m_shared->workers.clear();
}

bool WorkerThreads::start(std::function<void()> body)
{
    m_shared->joinFinished();
    auto finished = std::make_shared<bool>(false);
    auto run = [shared = m_shared, finished, body = std::move(body)] {
        body();
        {
            std::lock_guard finishedLock(shared->mutex);
            *finished = true;
            --shared->running;
        }
        shared->finishedOne.notify_all();
    };
    // Held until the thread is counted, so that it cannot finish before.
    std::lock_guard lock(m_shared->mutex);
    try {
        m_shared->workers.reserve(m_shared->workers.size() + 1); // a started thread is always kept
        std::thread thread = m_starter ? m_starter(std::move(run)) : std::thread(std::move(run));
        m_shared->workers.push_back({std::move(thread), finished});
    } catch (const std::system_error&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    ++m_shared->running;
    return true;
}

bool WorkerThreads::waitAll(std::chrono::milliseconds limit)
{
    bool allDone = false;
    {
        std::unique_lock lock(m_shared->mutex);
        allDone = m_shared->finishedOne.wait_for(lock, limit, [&] { return m_shared->running == 0; });
    }
    m_shared->joinFinished();
    return allDone;
}

int WorkerThreads::runningCount() const
{
    std::lock_guard lock(m_shared->mutex);
    return m_shared->running;
}

void yieldToTheWindow()
{
    // On Linux the nice value belongs to the thread named, not to the whole process. Failing to
    // lower it costs nothing but the window's head start.
    ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), 10);
}

} // namespace qytxt::ui
