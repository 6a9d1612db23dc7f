#pragma once

#include <QString>
#include <memory>

namespace tolvera {

// One running instance per user: a lock file held with flock in the user's
// runtime folder. The kernel releases it when the holder ends in any way, so a
// crashed instance never blocks the next start.
class InstanceLock {
public:
    enum class State {
        Acquired,      // this process holds the lock until the object goes
        HeldElsewhere, // another running process holds it
        Unavailable,   // no runtime folder or lock file: nothing can be known
    };

    explicit InstanceLock(const QString &name);
    ~InstanceLock();
    InstanceLock(const InstanceLock &) = delete;
    InstanceLock &operator=(const InstanceLock &) = delete;

    State state() const { return state_; }
    const QString &path() const { return path_; }

    // XDG_RUNTIME_DIR, else the runtime folder Qt names.
    static QString runtimeFolder();

private:
    QString path_;
    int fd_ = -1;
    State state_ = State::Unavailable;
};

} // namespace tolvera
