#pragma once

#include <chrono>
#include <functional>

namespace tolvera {

// Every thread the program starts besides the window's own goes through here.
// Nobody joins one on its own; the program's end waits for all of them, so that
// none is still running while the statics it uses are destroyed.

// Runs body on a new thread. False when no thread could be made (body not run).
bool startThread(std::function<void()> body) noexcept;

// How many started threads have not ended yet.
int runningThreads();

// Waits until every started thread has ended, or the limit has passed; true when
// all have ended. Raises nothing: shutdownRequested() is the caller's business.
bool waitForThreads(std::chrono::milliseconds limit);

// The program's end: raises the shutdown token, which aborts requests in flight,
// and waits for every started thread as waitForThreads does.
bool endAllThreads(std::chrono::milliseconds limit);

// For tests: while one lives, startThread makes the first `allowed` threads asked
// for and refuses every later one, as a system out of threads does. It counts
// every start asked for, refused or not.
class ThreadStartLimit {
public:
    explicit ThreadStartLimit(int allowed);
    ~ThreadStartLimit();
    ThreadStartLimit(const ThreadStartLimit &) = delete;
    ThreadStartLimit &operator=(const ThreadStartLimit &) = delete;

    int asked() const;
};

} // namespace tolvera
