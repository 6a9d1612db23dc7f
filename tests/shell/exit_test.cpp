// The program's end: the window closed while every worker of both tabs waits for an answer
// ends the process at once and cleanly, its requests aborted and its threads
// waited for. Runs the demo program, the real window against the simulated web.
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class ExitTest : public QObject {
    Q_OBJECT
private slots:
    void closingMidRunEndsTheProgramAtOnce() {
        QTemporaryDir home;
        QDir(home.path()).mkpath("runtime");
        QFile::setPermissions(home.path() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("HOME", home.path());
        env.insert("XDG_DATA_HOME", home.path() + "/data");
        env.insert("XDG_RUNTIME_DIR", home.path() + "/runtime");
        QProcess demo;
        demo.setProcessEnvironment(env);
        demo.start(DEMO, {"--close-mid-run"});
        QVERIFY(demo.waitForStarted());

        QByteArray output;
        QDeadlineTimer untilClosing(30'000);
        while (!output.contains("closing\n") && !untilClosing.hasExpired() &&
               demo.state() == QProcess::Running) {
            demo.waitForReadyRead(100);
            output += demo.readAllStandardOutput();
        }
        QVERIFY2(output.contains("closing\n"), output.constData());
        // The services answer after a minute and a request may take 30 s: only
        // aborted requests let the program end within this limit.
        QElapsedTimer closing;
        closing.start();
        QVERIFY(demo.waitForFinished(5'000));
        qInfo("the program ended %lld ms after its window closed", closing.elapsed());
        QCOMPARE(demo.exitStatus(), QProcess::NormalExit);
        QCOMPARE(demo.exitCode(), 0);
        // Every thread ended in time: the program did not have to leave uncleanly.
        const QByteArray errors = demo.readAllStandardError();
        QVERIFY2(!errors.contains("still running"), errors.constData());
    }
};

QTEST_GUILESS_MAIN(ExitTest)
#include "exit_test.moc"
