#include "shell/startup.h"

#include "runs/worker_threads.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace tolvera {

int runProgram(QApplication &app, InstanceLock::State lock, const TForm1::Options &options) {
    if (lock == InstanceLock::State::HeldElsewhere) {
        QMessageBox::information(nullptr, kApplicationTitle, kAlreadyRunning);
        return 0;
    }
    // Without a runtime folder nobody can tell whether another instance runs:
    // starting is better than refusing for good.
    // The name is the window's class on X11 (the desktop entry's StartupWMClass); the
    // desktop file name is how Wayland compositors find the entry and its icon.
    QApplication::setApplicationName(QStringLiteral("tolvera"));
    QApplication::setApplicationDisplayName(kApplicationTitle);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tolvera.Tolvera"));
    int code = 0;
    {
        TForm1 form(options);
        app.setWindowIcon(form.windowIcon());
        // Hidden in the tray the window is no longer "the last visible window": its
        // closing must end the program all the same.
        QObject::connect(&form, &TForm1::closed, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        form.show();
        code = app.exec();
    }
    return endProgram(code);
}

int endProgram(int code) {
    // Requests in flight are aborted; every worker and pane load ends within moments.
    if (endAllThreads(kEndLimit))
        return code;
    // A thread stuck where no abort reaches (a name lookup of the system's) must not
    // meet destroyed statics: leave without running their destructors.
    std::fprintf(stderr, "%d threads still running at the end; leaving without cleanup\n",
                 runningThreads());
    std::quick_exit(code);
}

} // namespace tolvera
