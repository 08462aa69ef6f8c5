#pragma once

#include "core/store/SqlStore.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

namespace teran {

class Session;

// A listing group of one user (`group_mem`): a named folder of own listings with a title,
// a remark and a date the groups are ordered by.
struct ListingGroup {
    int idx = 0; // g_idx
    QString name;
    QString title;
    QString remark;
    QDateTime day;
};

// The listing groups of one user in the ListingStore: `group_mem` holds the groups, `group_mul`
// one row per listing in a group. Deleting a group or taking a listing out of one never touches
// `maemul`. Names are compared exactly in C++ (MariaDB's collation would take "a" for "A" and
// ignore trailing blanks, SQLite would not). Store failures throw StoreError.
class ListingGroups {
public:
    ListingGroups(SqlStore& store, QString loginId);
    // The session's: the logged-in user's, in the office database.
    explicit ListingGroups(Session& session);

    // The user's groups, newest date first.
    QList<ListingGroup> list() const;
    // Only groups of this user are found.
    std::optional<ListingGroup> find(int idx) const;
    std::optional<ListingGroup> findByName(const QString& name) const;

    // Writes a new group and returns its number, as the store assigned it in the insert.
    int create(const ListingGroup& group);
    // Name, title, remark and date of an existing group of this user; false when it is gone.
    bool update(const ListingGroup& group);
    // The group and its membership rows, in one transaction; false when it was not there.
    bool remove(int idx);

    // Adds the listings not yet in the group (one row each, whatever the list repeats); returns
    // how many rows were added. All or nothing.
    int add(int idx, const QList<int>& numbers, const QDateTime& day);
    // Moves listings into the group of that name, made first (undated title and remark) when the
    // user has none: all in one transaction, so a failure leaves no empty new group behind.
    struct Move {
        int idx = 0;
        bool created = false;
        int added = 0;
    };
    Move addToNamed(const QString& name, const QList<int>& numbers, const QDateTime& day);
    // Takes the listings out of the group; returns how many rows went.
    int removeListings(int idx, const QList<int>& numbers);
    // The listing numbers in the group, in number order.
    QList<int> members(int idx) const;

    // Names are kept without surrounding blanks.
    static QString cleanName(const QString& name) { return name.trimmed(); }

private:
    QList<ListingGroup> read(const QString& where, const QVariantList& values) const;
    int insertGroup(const ListingGroup& group);
    int addRows(int idx, const QList<int>& numbers, const QDateTime& day);

    SqlStore& m_store;
    QString m_loginId;
};

} // namespace teran
