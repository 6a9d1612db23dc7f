#pragma once

#include <QString>

namespace tolvera {

// The last inputs of the window, remembered in velkarn.ini in the user's
// documents folder, section "http".
namespace settings_keys {
inline const QString kAddress = QStringLiteral("address");   // Edit1
inline const QString kKeyword = QStringLiteral("gjz");       // TXTGJ1
inline const QString kAddress1 = QStringLiteral("address1"); // Edit8
} // namespace settings_keys

class SettingsFile {
public:
    // In the documents folder of the user; a folder given explicitly is for tests.
    SettingsFile();
    explicit SettingsFile(const QString &folder);

    // Empty when the documents folder cannot be named: nothing is then read or written.
    const QString &path() const { return path_; }

    QString read(const QString &key) const;

    // Creates the documents folder when missing. False when the value is not on disk.
    bool write(const QString &key, const QString &value) const;

    // "Unable to write to <path>", the error a failed write reports.
    QString writeError() const;

private:
    QString folder_;
    QString path_;
};

} // namespace tolvera
