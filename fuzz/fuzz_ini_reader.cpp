// The INI profile file: the input is the file's content. Every section and key the
// file names is read, then one value is written and read back, and every other
// value must read as before. The value goes into section "http", or into the
// section that a comment on the file's first line names (";name", GB18030).

#include "fuzz_input.h"
#include "platform/charset.h"
#include "platform/profile_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>
#include <utility>

namespace {

// One folder per fuzzing process, removed when it ends (a crash leaves it behind):
// under TMPDIR when that is set, else in memory where there is a tmpfs for it, since
// every input writes the file twice.
QString scratchBase() {
    const QFileInfo shm(QStringLiteral("/dev/shm"));
    if (qEnvironmentVariableIsEmpty("TMPDIR") && shm.isDir() && shm.isWritable())
        return shm.filePath();
    return QDir::tempPath();
}

const QString &profilePath() {
    static const QTemporaryDir folder(scratchBase() + QStringLiteral("/tolvera-fuzz-XXXXXX"));
    static const QString path = folder.filePath(QStringLiteral("velkarn.ini"));
    return path;
}

bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

struct Entry {
    QString section;
    QString key;
    QString value;
};

// The section and key names as the file writes them, in file order; a bounded
// number, so that a file of many keys stays quick.
QList<Entry> namedEntries(const QByteArray &bytes) {
    constexpr qsizetype kMaxEntries = 32;
    QList<Entry> entries;
    QString section;
    bool inSection = false;
    for (const QByteArray &rawLine : bytes.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[') && line.contains(']')) {
            section = tolvera::decodeGbk(line.mid(1, line.indexOf(']') - 1));
            inSection = true;
            continue;
        }
        const qsizetype eq = rawLine.indexOf('=');
        if (inSection && eq > 0) {
            entries.append({section, tolvera::decodeGbk(rawLine.left(eq)), {}});
            if (entries.size() == kMaxEntries)
                break;
        }
    }
    return entries;
}

// A section name that an INI file can hold: one line, no brackets, no blanks around.
bool writableName(const QString &name) {
    if (name.isEmpty() || name.size() > 32 || name != name.trimmed())
        return false;
    for (const QChar c : name)
        if (c < u' ' || c == u'[' || c == u']' || c == u'=' || c == u';')
            return false;
    return true;
}

QString sectionToWrite(const QByteArray &bytes) {
    if (bytes.startsWith(';')) {
        const qsizetype end = bytes.indexOf('\n');
        QByteArray comment = bytes.mid(1, end < 0 ? -1 : end - 1);
        if (comment.endsWith('\r'))
            comment.chop(1);
        const QString name = tolvera::decodeGbk(comment);
        if (writableName(name))
            return name;
    }
    return QStringLiteral("http");
}

// Names as the profile functions compare them: blanks around ignored, any letter case.
bool sameName(const QString &a, const QString &b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using fuzzing::require;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString &path = profilePath();
    require(!path.isEmpty() && writeFile(path, bytes), "the profile file can be written");
    const tolvera::ProfileFile profile(path);

    QList<Entry> entries = namedEntries(bytes);
    for (Entry &entry : entries) {
        entry.value = profile.read(entry.section, entry.key);
        require(entry.value.size() <= tolvera::ProfileFile::kMaxValueBytes,
                "a value read is at most its byte limit");
    }

    // A value of the input's own characters, made one line as a write makes it.
    const QString section = sectionToWrite(bytes);
    const QString key = QStringLiteral("address");
    QString value = QString::fromUtf8(bytes.left(48)) + QStringLiteral(" 站长");
    require(profile.write(section, key, value), "a value can be written");
    value.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString readBack = profile.read(section, key);
    require(readBack == value, "a value written reads back",
            readBack + QStringLiteral(" != ") + value);

    for (const Entry &entry : std::as_const(entries)) {
        if (sameName(entry.section, section) && sameName(entry.key, key))
            continue;
        const QString now = profile.read(entry.section, entry.key);
        require(now == entry.value, "a write keeps every other value",
                entry.section + u'/' + entry.key + QStringLiteral(": ") + entry.value +
                    QStringLiteral(" -> ") + now);
    }
    return 0;
}
