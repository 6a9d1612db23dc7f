#include "runs/worker_threads.h"

#include "platform/shutdown.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tolvera {

namespace {

struct Census {
    std::mutex lock;
    std::condition_variable ended;
    int running = 0;
    // Set only by a ThreadStartLimit in tests.
    bool limited = false;
    int allowed = 0;
    int asked = 0;
};

// Never destroyed: a thread that outlives the wait still counts itself out.
Census &census() {
    static Census &instance = *new Census;
    return instance;
}

void countOut() {
    Census &c = census();
    const std::lock_guard guard(c.lock);
    if (--c.running == 0)
        c.ended.notify_all();
}

} // namespace

bool startThread(std::function<void()> body) noexcept {
    Census &c = census();
    {
        const std::lock_guard guard(c.lock);
        if (c.limited && ++c.asked > c.allowed)
            return false;
        ++c.running;
    }
    try {
        std::thread([body = std::move(body)]() mutable {
            try {
                body();
            } catch (...) {
                // A worker's failure ends the worker, never the program.
            }
            body = nullptr; // what it holds goes before the thread counts itself out
            countOut();
        }).detach();
        return true;
    } catch (...) {
        countOut();
        return false;
    }
}

int runningThreads() {
    Census &c = census();
    const std::lock_guard guard(c.lock);
    return c.running;
}

bool waitForThreads(std::chrono::milliseconds limit) {
    Census &c = census();
    std::unique_lock guard(c.lock);
    return c.ended.wait_for(guard, limit, [&c] { return c.running == 0; });
}

bool endAllThreads(std::chrono::milliseconds limit) {
    requestShutdown();
    return waitForThreads(limit);
}

ThreadStartLimit::ThreadStartLimit(int allowed) {
    Census &c = census();
    const std::lock_guard guard(c.lock);
    c.limited = true;
    c.allowed = allowed;
    c.asked = 0;
}

ThreadStartLimit::~ThreadStartLimit() {
    Census &c = census();
    const std::lock_guard guard(c.lock);
    c.limited = false;
}

int ThreadStartLimit::asked() const {
    Census &c = census();
    const std::lock_guard guard(c.lock);
    return c.asked;
}

} // namespace tolvera
