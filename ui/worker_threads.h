#pragma once

#include <chrono>
#include <functional>
#include <memory>

namespace qytxt::ui {

// The window's worker threads (jobs and the ad rotation). Closing the window never waits for
// them: the owner may wait a bounded time for them to finish, and threads still running when the
// owner goes away are left to end on their own (they hold everything they use themselves).
class WorkerThreads {
public:
    WorkerThreads();
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    void start(std::function<void()> body);

    // Waits up to `limit` for every thread started so far to finish and joins those that did.
    // True when none is left running.
    bool waitAll(std::chrono::milliseconds limit);

    int runningCount() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace qytxt::ui
