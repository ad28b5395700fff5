#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace qytxt::ui {

// The window's worker threads (jobs and the ad rotation). Closing the window never waits for
// them: the owner may wait a bounded time for them to finish, and threads still running when the
// owner goes away are left to end on their own (they hold everything they use themselves).
class WorkerThreads {
public:
    // Starts a thread running the function it is given, or throws std::system_error as
    // std::thread does when the system refuses one. Tests pass their own to be refused at will.
    using Starter = std::function<std::thread(std::function<void()>)>;

    explicit WorkerThreads(Starter starter = {});
    ~WorkerThreads();
    WorkerThreads(const WorkerThreads&) = delete;
    WorkerThreads& operator=(const WorkerThreads&) = delete;

    // False when no thread could be started (too many threads, no memory): `body` does not run.
    bool start(std::function<void()> body);

    // Waits up to `limit` for every thread started so far to finish and joins those that did.
    // True when none is left running.
    bool waitAll(std::chrono::milliseconds limit);

    int runningCount() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
    Starter m_starter;
};

// Called on a worker thread: lets every thread of normal priority, the window's first, go before
// it when both want the processor. Work nobody waits for at once (a count for the preview) runs so.
void yieldToTheWindow();

} // namespace qytxt::ui
