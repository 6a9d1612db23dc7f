// velkarn.ini: byte-exact values, other lines kept, the read cap, Windows files,
// and the error box when the file cannot be written.
#include "hermetic_home.h"
#include "platform/charset.h"
#include "platform/profile_file.h"
#include "platform/settings_file.h"
#include "shell/tform1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

using tolvera::ProfileFile;
using tolvera::SettingsFile;
using tolvera::TForm1;

namespace {

QByteArray bytesOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Closes the next modal box and keeps its text; nothing else may be open.
struct BoxCloser {
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    void arm() {
        QTimer::singleShot(0, [this] { poll(); });
    }
    void poll() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            QTimer::singleShot(10, [this] { poll(); });
            return;
        }
        text = box->text();
        icon = box->icon();
        box->accept();
    }
};

// Lets this process write files of at most `bytes` bytes while it lives: a write
// past it fails as on a full disk (EFBIG, the signal ignored), below every file
// layer of the program.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousSignal_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    rlimit saved_{};
    void (*previousSignal_)(int) = nullptr;
};

} // namespace

class SettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString ini() const { return dir.path() + "/velkarn.ini"; }

private slots:
    void init() { QFile::remove(ini()); }

    void valuesComeBackByteExact_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks around") << "  seo 优化  ";
        QTest::newRow("only blanks") << "   ";
        QTest::newRow("equals and semicolon") << "a=b;c";
        QTest::newRow("outside GBK") << "网站😀";
        QTest::newRow("empty") << "";
    }
    void valuesComeBackByteExact() {
        QFETCH(QString, value);
        const ProfileFile file(ini());
        QVERIFY(file.write("http", "gjz", value));
        QCOMPARE(file.read("http", "gjz"), value);
        QCOMPARE(bytesOf(ini()), "[http]\r\ngjz=" + tolvera::encodeGbk(value) + "\r\n");
    }

    void writingOneKeyKeepsEveryOtherLine() {
        writeBytes(ini(), "; mine\n[other]\naddress=elsewhere\n[http]\naddress=a.com\n"
                          "gjz=  kw \n\n[last]\nx=1\n");
        const ProfileFile file(ini());
        QVERIFY(file.write("http", "address1", "b.com"));
        QVERIFY(file.write("http", "address", " c.com"));
        QCOMPARE(bytesOf(ini()), QByteArray("; mine\n[other]\naddress=elsewhere\n[http]\n"
                                            "address= c.com\ngjz=  kw \naddress1=b.com\n\n"
                                            "[last]\nx=1\n"));
        QCOMPARE(file.read("other", "address"), QString("elsewhere"));
    }

    void aReadStopsAt2047BytesAndNeverInsideACharacter_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("read");
        const QString a2046(2046, 'a');
        QTest::newRow("ascii") << QString(3000, 'x') << QString(2047, 'x');
        QTest::newRow("exactly 2047") << QString(2047, 'y') << QString(2047, 'y');
        QTest::newRow("two-byte char across the cap") << a2046 + "中文" << a2046;
        QTest::newRow("four-byte char across the cap")
            << QString(2045, 'b') + "😀" << QString(2045, 'b');
        QTest::newRow("two-byte char ending on the cap")
            << QString(2045, 'c') + "中" << QString(2045, 'c') + "中";
    }
    void aReadStopsAt2047BytesAndNeverInsideACharacter() {
        QFETCH(QString, value);
        QFETCH(QString, read);
        const ProfileFile file(ini());
        QVERIFY(file.write("http", "address", value));
        QCOMPARE(file.read("http", "address"), read);
    }

    void missingFileSectionOrKeyReadsEmptyAndCreatesNothing() {
        const ProfileFile file(ini());
        QCOMPARE(file.read("http", "address"), QString());
        QVERIFY(!QFile::exists(ini()));
        writeBytes(ini(), "[other]\r\naddress=x\r\n");
        QCOMPARE(file.read("http", "address"), QString());
        writeBytes(ini(), "[http]\r\ngjz=x\r\n");
        QCOMPARE(file.read("http", "address"), QString());
        QCOMPARE(SettingsFile(dir.path() + "/nowhere").read("address"), QString());
        QVERIFY(!QFileInfo::exists(dir.path() + "/nowhere"));
    }

    void readsAFileAWindowsProgramWrote() {
        // GBK bytes of "www.中文.com" and "关键词", CRLF, names in other cases.
        writeBytes(ini(), "[Options]\r\nlast=1\r\n[HTTP]\r\nAddress=www.\xd6\xd0\xce\xc4.com\r\n"
                          "gjz= \xb9\xd8\xbc\xfc\xb4\xca \r\n");
        const SettingsFile settings(dir.path());
        QCOMPARE(settings.read("address"), QString("www.中文.com"));
        QCOMPARE(settings.read("gjz"), QString(" 关键词 "));
        QVERIFY(settings.write("address1", "\xe7\xbd\x91"));
        QCOMPARE(bytesOf(ini()), QByteArray("[Options]\r\nlast=1\r\n[HTTP]\r\nAddress=www."
                                            "\xd6\xd0\xce\xc4.com\r\ngjz= \xb9\xd8\xbc\xfc\xb4\xca "
                                            "\r\naddress1=\xcd\xf8\r\n"));
    }

    void aLineBreakInAValueCannotForgeAnotherKey() {
        const ProfileFile file(ini());
        QVERIFY(file.write("http", "gjz", "a\r\naddress=evil"));
        QCOMPARE(file.read("http", "address"), QString());
    }

    // "]" is also the second byte of some GBK characters (乚 is 81 5D).
    void aSectionNameWithABracketByteInsideACharacter() {
        const ProfileFile file(ini());
        QVERIFY(file.write("乚站", "k", "v1"));
        QVERIFY(file.write("乚站", "k", "v2"));
        QCOMPARE(file.read("乚站", "k"), QString("v2"));
        QCOMPARE(bytesOf(ini()), tolvera::encodeGbk("[乚站]\r\nk=v2\r\n"));
    }

    void theDocumentsFolderIsCreatedOnTheFirstWrite() {
        const QString folder = dir.path() + "/fresh/Documents";
        const SettingsFile settings(folder);
        QVERIFY(settings.write("address", "a.com"));
        QCOMPARE(settings.read("address"), QString("a.com"));
        QCOMPARE(SettingsFile().path(), QDir::homePath() + "/Documents/velkarn.ini");
    }

    void anUnwritableFileShowsTheErrorAndChangesNothing() {
        const QString folder = dir.path() + "/blocked";
        QDir().mkpath(folder + "/velkarn.ini"); // a folder where the file should be
        TForm1 form({false, folder});
        BoxCloser closer;
        closer.arm();
        QVERIFY(!form.saveSetting("address", "a.com"));
        QCOMPARE(closer.text, "Unable to write to " + folder + "/velkarn.ini");
        QCOMPARE(closer.icon, QMessageBox::Critical);
        QVERIFY(QFileInfo(folder + "/velkarn.ini").isDir());
        QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                 QStringList{"velkarn.ini"});
    }

    // The new file is written beside the old one and renamed over it only when
    // whole: a write that fails halfway leaves every key and section as it was.
    void aFullDiskShowsTheErrorAndLosesNoKey() {
        const QByteArray before = "; kept\r\n[other]\r\nk=v\r\n[http]\r\naddress=a.com\r\n"
                                  "gjz=seo\r\naddress1=b.com\r\n";
        writeBytes(ini(), before);
        TForm1 form({false, dir.path()});
        BoxCloser closer;
        closer.arm();
        {
            const FileSizeLimit diskFull(before.size() / 2);
            QVERIFY(!form.saveSetting("address", QString(200, QChar(u'站'))));
        }
        QCOMPARE(closer.text, "Unable to write to " + ini());
        QCOMPARE(bytesOf(ini()), before);
        QCOMPARE(QDir(dir.path()).entryList({"velkarn.ini*"}, QDir::Files | QDir::Hidden),
                 QStringList{"velkarn.ini"});
        QVERIFY(form.saveSetting("address", "c.com")); // room again: the write goes through
        QCOMPARE(SettingsFile(dir.path()).read("gjz"), QString("seo"));
        QCOMPARE(SettingsFile(dir.path()).read("address"), QString("c.com"));
    }

    void theWindowRestoresItsInputsAtStart() {
        writeBytes(ini(), "[http]\r\naddress=   \r\ngjz=  seo  \r\naddress1= b.com\r\n");
        TForm1 form({false, dir.path()});
        QCOMPARE(form.overview().Edit1->text(), QString("请输入要查询的网址"));
        QCOMPARE(form.overview().TXTGJ1->text(), QString("  seo  "));
        QCOMPARE(form.links().Edit8->text(), QString(" b.com"));
    }

    void aFreshStartShowsPlaceholdersAndWritesNothing() {
        TForm1 form({false, dir.path()});
        QCOMPARE(form.overview().Edit1->text(), QString("请输入要查询的网址"));
        QCOMPARE(form.overview().TXTGJ1->text(), QString("请输入关键字"));
        QCOMPARE(form.links().Edit8->text(), QString("请输入要查询的网址"));
        QVERIFY(!QFile::exists(ini()));
        QVERIFY(form.saveSetting("gjz", " kw "));
        QCOMPARE(SettingsFile(dir.path()).read("gjz"), QString(" kw "));
    }
};

TOLVERA_GUI_TEST_MAIN(SettingsTest)
#include "settings_test.moc"
