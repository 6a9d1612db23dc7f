#pragma once

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

namespace tolvera::test {

// Points HOME, the XDG folders and the runtime folder at a fresh temporary
// folder, so that no test touches the real user's settings file or lock.
class HermeticHome {
public:
    HermeticHome() {
        const QString root = dir_.path();
        for (const char *sub : {"home", "config", "runtime", "home/Documents"})
            QDir().mkpath(root + "/" + sub);
        QFile::setPermissions(root + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("HOME", QFile::encodeName(root + "/home"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(root + "/config"));
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(root + "/runtime"));
        qputenv("XDG_DOCUMENTS_DIR", QFile::encodeName(root + "/home/Documents"));
    }
    QString documents() const { return dir_.path() + "/home/Documents"; }
    QString runtime() const { return dir_.path() + "/runtime"; }

private:
    QTemporaryDir dir_;
};

} // namespace tolvera::test

// A QTest main whose whole run, QApplication included, lives in a hermetic home.
#define TOLVERA_GUI_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char **argv) {                                                              \
        tolvera::test::HermeticHome home;                                                          \
        QApplication app(argc, argv);                                                              \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
