#include "platform/shutdown.h"

#include <atomic>
#include <map>
#include <mutex>

namespace tolvera {

namespace {

struct Token {
    std::atomic<bool> raised{false};
    std::mutex lock; // held while a wake-up runs, so no listener goes away during its wake-up
    std::map<ShutdownListener *, const std::function<void()> *> wakes;
};

// Never destroyed: threads still running at exit may look at it.
Token &token() {
    static Token &instance = *new Token;
    return instance;
}

} // namespace

bool shutdownRequested() {
    return token().raised.load(std::memory_order_acquire);
}

void requestShutdown() {
    Token &t = token();
    const std::lock_guard guard(t.lock);
    t.raised.store(true, std::memory_order_release);
    for (const auto &[listener, wake] : t.wakes)
        (*wake)();
}

ShutdownListener::ShutdownListener(std::function<void()> wake)
    : wake_(std::move(wake)) {
    Token &t = token();
    const std::lock_guard guard(t.lock);
    t.wakes.emplace(this, &wake_);
}

ShutdownListener::~ShutdownListener() {
    Token &t = token();
    const std::lock_guard guard(t.lock);
    t.wakes.erase(this);
}

} // namespace tolvera
