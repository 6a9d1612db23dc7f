#pragma once

#include <functional>

namespace tolvera {

// The program's end, as every blocking call sees it. Once raised it stays raised:
// requests in flight give up at once and new ones fail, so that the threads the
// program started can be waited for before the statics they use are destroyed.
bool shutdownRequested();
void requestShutdown();

// While it lives, its wake-up is called once when the shutdown is requested, so a
// call that waits (a request, a probe) looks at the token at once instead of at
// its next time-out. The wake-up runs on the requesting thread and must not block.
class ShutdownListener {
public:
    explicit ShutdownListener(std::function<void()> wake);
    ~ShutdownListener();
    ShutdownListener(const ShutdownListener &) = delete;
    ShutdownListener &operator=(const ShutdownListener &) = delete;

private:
    std::function<void()> wake_;
};

} // namespace tolvera
