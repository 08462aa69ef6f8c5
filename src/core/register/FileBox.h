#pragma once

#include <QString>
#include <QStringList>

namespace teran {

// The files an office keeps with one listing (scans, contracts, plans): the folder
// files/<number>/ of the data folder, any kind of file.
class FileBox {
public:
    FileBox(const QString& filesDir, int number);

    QString folder() const { return m_folder; }
    // The files by name.
    QStringList files() const;
    // True when the folder has a file of the chosen file's name.
    bool holds(const QString& chosenPath) const;
    // Copies the chosen file in, replacing one of its name; false when it cannot be copied (the
    // file that was there then stays).
    bool add(const QString& chosenPath);

private:
    QString target(const QString& chosenPath) const;
    QString m_folder;
};

} // namespace teran
