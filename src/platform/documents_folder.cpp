#include "platform/documents_folder.h"

#include <QDir>
#include <QStandardPaths>

namespace tolvera {

QString documentsFolder() {
    const QString path =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).trimmed();
    return path.isEmpty() ? QString() : QDir::cleanPath(path);
}

bool ensureFolder(const QString &path) {
    return !path.isEmpty() && QDir().mkpath(path);
}

} // namespace tolvera
