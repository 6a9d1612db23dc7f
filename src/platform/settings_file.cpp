#include "platform/settings_file.h"

#include "platform/documents_folder.h"
#include "platform/profile_file.h"

namespace tolvera {

namespace {
const QString kSection = QStringLiteral("http");
const QString kFileName = QStringLiteral("velkarn.ini");
} // namespace

SettingsFile::SettingsFile()
    : SettingsFile(documentsFolder()) {}

SettingsFile::SettingsFile(const QString &folder)
    : folder_(folder)
    , path_(folder.isEmpty() ? QString() : folder + QLatin1Char('/') + kFileName) {}

QString SettingsFile::read(const QString &key) const {
    return path_.isEmpty() ? QString() : ProfileFile(path_).read(kSection, key);
}

bool SettingsFile::write(const QString &key, const QString &value) const {
    return !path_.isEmpty() && ensureFolder(folder_) &&
           ProfileFile(path_).write(kSection, key, value);
}

QString SettingsFile::writeError() const {
    return QStringLiteral("Unable to write to %1").arg(path_.isEmpty() ? kFileName : path_);
}

} // namespace tolvera
