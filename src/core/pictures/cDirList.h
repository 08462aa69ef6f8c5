#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace teran {

// One entry of a remote folder listing.
struct cDirItem {
    QString name;
    qint64 size = 0;
    bool isFolder = false;
    QDateTime modified; // UTC; invalid when the server's listing gives no date
};

// The entries of one remote folder, in the order the server listed them (without "." and "..").
class cDirList {
public:
    void add(cDirItem item) { m_items.append(std::move(item)); }
    qsizetype count() const { return m_items.size(); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const cDirItem& item(qsizetype index) const { return m_items.at(index); }
    // The entry of that exact name, or nullptr.
    const cDirItem* find(const QString& name) const;
    // Names of the entries that are files, not folders.
    QStringList fileNames() const;

    QList<cDirItem>::const_iterator begin() const { return m_items.cbegin(); }
    QList<cDirItem>::const_iterator end() const { return m_items.cend(); }

private:
    QList<cDirItem> m_items;
};

} // namespace teran
