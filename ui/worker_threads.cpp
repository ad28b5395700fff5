#include "ui/worker_threads.h"

#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <thread>
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

WorkerThreads::WorkerThreads() : m_shared(std::make_shared<Shared>()) {}

WorkerThreads::~WorkerThreads()
{
    m_shared->joinFinished();
    std::lock_guard lock(m_shared->mutex);
    for (auto& worker : m_shared->workers)
        worker.thread.detach();
    m_shared->workers.clear();
}

void WorkerThreads::start(std::function<void()> body)
{
    m_shared->joinFinished();
    auto finished = std::make_shared<bool>(false);
    std::lock_guard lock(m_shared->mutex);
    ++m_shared->running;
    m_shared->workers.push_back({std::thread([shared = m_shared, finished, body = std::move(body)] {
                                     body();
                                     {
                                         std::lock_guard finishedLock(shared->mutex);
                                         *finished = true;
                                         --shared->running;
                                     }
                                     shared->finishedOne.notify_all();
                                 }),
                                 finished});
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

} // namespace qytxt::ui
