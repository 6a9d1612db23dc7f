#include "platform/instance_lock.h"

#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tolvera {

QString InstanceLock::runtimeFolder() {
    const QString fromEnvironment = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

InstanceLock::InstanceLock(const QString &name) {
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return;
    path_ = folder + QLatin1Char('/') + name + QStringLiteral(".lock");
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    int rc;
    do
        rc = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    if (rc == 0) {
        state_ = State::Acquired;
        return;
    }
    state_ = errno == EWOULDBLOCK ? State::HeldElsewhere : State::Unavailable;
    ::close(fd_);
    fd_ = -1;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor releases the flock
}

} // namespace tolvera
