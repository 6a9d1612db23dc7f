#include "platform/instance_lock.h"
#include "platform/open_file_limit.h"
#include "shell/startup.h"

#include <QApplication>
#include <csignal>

int main(int argc, char **argv) {
    // libcurl runs with CURLOPT_NOSIGNAL: a peer that closes early must not kill us.
    std::signal(SIGPIPE, SIG_IGN);
    tolvera::raiseOpenFileLimit();
    QApplication app(argc, argv);
    const tolvera::InstanceLock lock(tolvera::kInstanceLockName);
    return tolvera::runProgram(app, lock.state(), tolvera::TForm1::defaultOptions());
}
