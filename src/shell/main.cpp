#include "platform/instance_lock.h"
#include "shell/startup.h"

#include <QApplication>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>

// An audit asks about hundreds of sites at once, a socket each: the soft limit of
// open files that many desktops start programs with (1024) is too low for that.
static void raiseOpenFileLimit() {
    constexpr rlim_t kEnough = 65536;
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < kEnough) {
        limit.rlim_cur = std::min(limit.rlim_max, kEnough);
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

int main(int argc, char **argv) {
    // libcurl runs with CURLOPT_NOSIGNAL: a peer that closes early must not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    raiseOpenFileLimit();
    QApplication app(argc, argv);
    const tolvera::InstanceLock lock(tolvera::kInstanceLockName);
    return tolvera::runProgram(app, lock.state(), tolvera::TForm1::defaultOptions());
}
