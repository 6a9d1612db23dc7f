#include "shell/startup.h"

#include <QApplication>
#include <QMessageBox>

namespace tolvera {

int runProgram(QApplication &app, InstanceLock::State lock, const TForm1::Options &options) {
    if (lock == InstanceLock::State::HeldElsewhere) {
        QMessageBox::information(nullptr, kApplicationTitle, kAlreadyRunning);
        return 0;
    }
    // Without a runtime folder nobody can tell whether another instance runs:
    // starting is better than refusing for good.
    QApplication::setApplicationName(kApplicationTitle);
    QApplication::setApplicationDisplayName(kApplicationTitle);
    TForm1 form(options);
    app.setWindowIcon(form.windowIcon());
    // Hidden in the tray the window is no longer "the last visible window": its
    // closing must end the program all the same.
    QObject::connect(&form, &TForm1::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    form.show();
    return app.exec();
}

} // namespace tolvera
