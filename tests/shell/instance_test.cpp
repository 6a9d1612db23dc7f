// One instance at a time, across real processes; a second start only says so.
#include "hermetic_home.h"
#include "platform/instance_lock.h"
#include "shell/startup.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>
#include <memory>

using State = tolvera::InstanceLock::State;

namespace {

const QString kHolder = QStringLiteral(LOCK_HOLDER);

// A lock holder process; what it said about the lock is in `said`.
struct Holder {
    std::unique_ptr<QProcess> process = std::make_unique<QProcess>();
    QString said;

    bool start() {
        process->start(kHolder, {});
        if (!process->waitForStarted() || !process->waitForReadyRead())
            return false;
        said = QString::fromLatin1(process->readLine()).trimmed();
        return true;
    }
    ~Holder() {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
};

} // namespace

class InstanceTest : public QObject {
    Q_OBJECT

private slots:
    void aSecondProcessFindsTheLockHeld() {
        Holder first, second;
        QVERIFY(first.start());
        QCOMPARE(first.said, QString("acquired"));
        QVERIFY(second.start());
        QCOMPARE(second.said, QString("held"));
        const tolvera::InstanceLock here(tolvera::kInstanceLockName);
        QCOMPARE(here.state(), State::HeldElsewhere);
    }

    void aFirstInstanceThatEndsOrCrashesNeverBlocks() {
        Holder crashed;
        QVERIFY(crashed.start());
        QCOMPARE(crashed.said, QString("acquired"));
        crashed.process->kill(); // SIGKILL: no clean-up of its own
        QVERIFY(crashed.process->waitForFinished());
        QVERIFY(QFile::exists(tolvera::InstanceLock::runtimeFolder() + "/ZUDA.lock"));
        Holder next;
        QVERIFY(next.start());
        QCOMPARE(next.said, QString("acquired"));
        next.process->closeWriteChannel(); // a clean end
        QVERIFY(next.process->waitForFinished());
        const tolvera::InstanceLock here(tolvera::kInstanceLockName);
        QCOMPARE(here.state(), State::Acquired);
    }

    void theLockLivesInTheRuntimeFolder() {
        const tolvera::InstanceLock lock(tolvera::kInstanceLockName);
        QCOMPARE(lock.path(), qEnvironmentVariable("XDG_RUNTIME_DIR") + "/ZUDA.lock");
    }

    void aSecondStartOnlySaysTheToolIsRunning() {
        QString text, title;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QStringList windowsMeanwhile;
        std::function<void()> poll = [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box) {
                QTimer::singleShot(10, poll);
                return;
            }
            text = box->text();
            title = box->windowTitle();
            icon = box->icon();
            QCOMPARE(box->buttons().size(), 1);
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w != box && w->isVisible())
                    windowsMeanwhile << w->objectName();
            box->accept();
        };
        QTimer::singleShot(0, poll);
        const int code =
            tolvera::runProgram(*qApp, State::HeldElsewhere, tolvera::TForm1::Options{false, {}});
        QCOMPARE(code, 0);
        QCOMPARE(text, QString("Tolvera站长查询工具，正在运行中..."));
        QCOMPARE(icon, QMessageBox::Information);
        QCOMPARE(windowsMeanwhile, QStringList());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!qobject_cast<tolvera::TForm1 *>(w));
    }

    void aFirstStartRunsTheWindowUntilItCloses() {
        QTimer::singleShot(0, [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *form = qobject_cast<tolvera::TForm1 *>(w); form && form->isVisible())
                    form->N2Click();
        });
        QCOMPARE(tolvera::runProgram(*qApp, State::Acquired, tolvera::TForm1::Options{false, {}}),
                 0);
        QCOMPARE(QApplication::applicationDisplayName(), QString("Tolvera站长工具 V2.03"));
    }
};

TOLVERA_GUI_TEST_MAIN(InstanceTest)
#include "instance_test.moc"
