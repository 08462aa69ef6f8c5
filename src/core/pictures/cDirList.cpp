#include "cDirList.h"

namespace teran {

const cDirItem* cDirList::find(const QString& name) const {
    for (const cDirItem& entry : m_items) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

QStringList cDirList::fileNames() const {
    QStringList names;
    for (const cDirItem& entry : m_items) {
        if (!entry.isFolder)
            names.append(entry.name);
    }
    return names;
}

} // namespace teran
