#pragma once

#include <QString>
#include <utility>

namespace tolvera {

// An INI file in the format of the Windows profile functions, kept byte-exact:
// values keep their surrounding blanks, every other line of the file (other keys,
// other sections, comments, CRLF or LF endings) survives a write unchanged.
// Text on disk is GB18030, which is GBK's bytes for every GBK character.
class ProfileFile {
public:
    // The longest value a read returns, in bytes on disk; a cut never splits a character.
    static constexpr qsizetype kMaxValueBytes = 2047;

    explicit ProfileFile(QString path)
        : path_(std::move(path)) {}

    const QString &path() const { return path_; }

    // The empty text for a missing file, section or key. Never creates the file.
    QString read(const QString &section, const QString &key) const;

    // Creates the file and the section when missing. False when the file cannot
    // be written; the file is then left as it was.
    bool write(const QString &section, const QString &key, const QString &value) const;

private:
    QString path_;
};

} // namespace tolvera
