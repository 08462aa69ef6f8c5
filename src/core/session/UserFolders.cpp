#include "UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace teran {

QString userDocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    // A proposal in a folder that is not there would leave the file dialog nowhere.
    if (!documents.isEmpty() && QDir(documents).exists())
        return documents;
    return QDir::homePath();
}

} // namespace teran
