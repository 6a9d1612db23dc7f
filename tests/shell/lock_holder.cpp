// Takes the single-instance lock as a second process would, says what it got on
// stdout ("acquired", "held", "unavailable") and, when it got it, keeps it until
// its stdin closes or it is killed.
#include "platform/instance_lock.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const tolvera::InstanceLock lock(QStringLiteral("ZUDA"));
    const char *said = lock.state() == tolvera::InstanceLock::State::Acquired ? "acquired"
                       : lock.state() == tolvera::InstanceLock::State::HeldElsewhere
                           ? "held"
                           : "unavailable";
    std::printf("%s\n", said);
    std::fflush(stdout);
    if (lock.state() == tolvera::InstanceLock::State::Acquired)
        while (std::fgetc(stdin) != EOF) {
        }
    return 0;
}
