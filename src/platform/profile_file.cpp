#include "platform/profile_file.h"

#include "platform/charset.h"

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSaveFile>
#include <optional>

namespace tolvera {

namespace {

// One line of the file without its line end.
using Lines = QList<QByteArray>;

struct ParsedFile {
    Lines lines;
    QByteArray lineEnd = "\r\n"; // the profile functions' own line end for new files
    bool endsWithLineEnd = true;
};

ParsedFile parse(const QByteArray &bytes) {
    ParsedFile file;
    if (bytes.isEmpty())
        return file;
    file.lineEnd = bytes.contains("\r\n") || !bytes.contains('\n') ? "\r\n" : "\n";
    file.endsWithLineEnd = bytes.endsWith('\n');
    file.lines = bytes.split('\n');
    if (file.endsWithLineEnd)
        file.lines.removeLast();
    for (QByteArray &line : file.lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return file;
}

QByteArray join(const ParsedFile &file) {
    QByteArray out = file.lines.join(file.lineEnd);
    if (file.endsWithLineEnd && !file.lines.isEmpty())
        out += file.lineEnd;
    return out;
}

bool sameName(const QByteArray &a, const QString &b) {
    return decodeGbk(a.trimmed()).compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// Length of the GB18030 character that starts at bytes[i].
qsizetype characterLength(const QByteArray &bytes, qsizetype i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    if (lead < 0x81 || lead == 0xFF || i + 1 >= bytes.size())
        return 1;
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    return second >= 0x30 && second <= 0x39 ? 4 : 2;
}

// "[name]" with optional blanks around; anything else is not a section head. The
// closing bracket is looked for character by character: "]" is also the second
// byte of some GBK characters (乚 is 81 5D), which must not end the name.
std::optional<QByteArray> sectionName(const QByteArray &line) {
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    for (qsizetype i = 1; i < t.size(); i += characterLength(t, i))
        if (t[i] == ']')
            return t.mid(1, i - 1);
    return std::nullopt;
}

struct Span {
    qsizetype head = -1;    // the section's own line
    qsizetype end = -1;     // one past its last line
    qsizetype keyLine = -1; // the key's line, when present
};

Span locate(const Lines &lines, const QString &section, const QString &key) {
    Span span;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (span.head >= 0 && name) {
            span.end = i;
            return span;
        }
        if (span.head < 0) {
            if (name && sameName(*name, section))
                span.head = i;
            continue;
        }
        const qsizetype eq = lines[i].indexOf('=');
        if (span.keyLine < 0 && eq > 0 && sameName(lines[i].left(eq), key))
            span.keyLine = i;
    }
    if (span.head >= 0)
        span.end = lines.size();
    return span;
}

QByteArray capped(const QByteArray &value) {
    qsizetype end = 0;
    while (end < value.size()) {
        const qsizetype next = end + characterLength(value, end);
        if (next > ProfileFile::kMaxValueBytes)
            break;
        end = next;
    }
    return value.left(end);
}

} // namespace

QString ProfileFile::read(const QString &section, const QString &key) const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const ParsedFile parsed = parse(file.readAll());
    const Span span = locate(parsed.lines, section, key);
    if (span.keyLine < 0)
        return {};
    const QByteArray &line = parsed.lines[span.keyLine];
    return decodeGbk(capped(line.mid(line.indexOf('=') + 1)));
}

bool ProfileFile::write(const QString &section, const QString &key, const QString &value) const {
    const QFileInfo info(path_);
    if (info.exists() && (!info.isFile() || !info.isWritable()))
        return false;
    QByteArray existing;
    if (info.exists()) {
        QFile in(path_);
        if (!in.open(QIODevice::ReadOnly))
            return false;
        existing = in.readAll();
    }
    ParsedFile parsed = parse(existing);
    // A value is one line: a line break in it would forge other keys.
    QString oneLine = value;
    oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QByteArray entry = encodeGbk(key) + '=' + encodeGbk(oneLine);

    const Span span = locate(parsed.lines, section, key);
    if (span.keyLine >= 0) {
        parsed.lines[span.keyLine] = entry;
    } else if (span.head >= 0) {
        qsizetype at = span.end;
        while (at > span.head + 1 && parsed.lines[at - 1].trimmed().isEmpty())
            --at;
        parsed.lines.insert(at, entry);
    } else {
        parsed.lines.append('[' + encodeGbk(section) + ']');
        parsed.lines.append(entry);
    }
    parsed.endsWithLineEnd = true;

    // Written beside the file and renamed over it only when whole, so that a crash or
    // a full disk never leaves half a file. The flush is checked here: a write that
    // fails while QSaveFile empties its buffer inside commit() is not seen there, and
    // the cut-off file would replace the good one.
    QSaveFile out(path_);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = join(parsed);
    if (out.write(bytes) != bytes.size() || !out.flush())
        return false; // the unfinished file is discarded with `out`
    return out.commit();
}

} // namespace tolvera
