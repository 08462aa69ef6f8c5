#include "ListingGroups.h"

#include "core/session/Session.h"
#include "core/session/WorkNotes.h"

#include <QSet>

namespace teran {

ListingGroups::ListingGroups(SqlStore& store, QString loginId)
    : m_store(store)
    , m_loginId(std::move(loginId)) {}

ListingGroups::ListingGroups(Session& s)
    : ListingGroups(s.listingStore(), s.state().LoginId) {}

QList<ListingGroup> ListingGroups::read(const QString& where, const QVariantList& values) const {
    QSqlQuery q = m_store.query(
        QStringLiteral("SELECT g_idx, g_name, g_title, g_bigo, g_day FROM group_mem WHERE g_id = ?") + where +
            QStringLiteral(" ORDER BY g_day DESC, g_idx DESC"),
        QVariantList{m_loginId} + values);
    QList<ListingGroup> groups;
    while (q.next())
        groups << ListingGroup{q.value(0).toInt(), q.value(1).toString(), q.value(2).toString(),
                               q.value(3).toString(), SqlStore::toDateTime(q.value(4))};
    return groups;
}

QList<ListingGroup> ListingGroups::list() const {
    return read({}, {});
}

std::optional<ListingGroup> ListingGroups::find(int idx) const {
    const QList<ListingGroup> groups = read(QStringLiteral(" AND g_idx = ?"), {idx});
    if (groups.isEmpty())
        return std::nullopt;
    return groups.first();
}

std::optional<ListingGroup> ListingGroups::findByName(const QString& name) const {
    const QString wanted = cleanName(name);
    for (const ListingGroup& group : list())
        if (cleanName(group.name) == wanted)
            return group;
    return std::nullopt;
}

int ListingGroups::create(const ListingGroup& group) {
    return insertGroup(group);
}

int ListingGroups::insertGroup(const ListingGroup& group) {
    return m_store
        .insert(QStringLiteral(
                    "INSERT INTO group_mem(g_id, g_name, g_title, g_bigo, g_day) VALUES(?, ?, ?, ?, ?)"),
                {m_loginId, cleanName(group.name), group.title, group.remark, group.day})
        .toInt();
}

bool ListingGroups::update(const ListingGroup& group) {
    Transaction tx(m_store);
    // MariaDB counts only changed rows, so an unchanged save would look like a missing group
    if (!find(group.idx))
        return false;
    m_store.execute(QStringLiteral("UPDATE group_mem SET g_name = ?, g_title = ?, g_bigo = ?, g_day = ? "
                                   "WHERE g_idx = ? AND g_id = ?"),
                    {cleanName(group.name), group.title, group.remark, group.day, group.idx, m_loginId});
    tx.commit();
    return true;
}

bool ListingGroups::remove(int idx) {
    Transaction tx(m_store);
    if (!find(idx))
        return false;
    m_store.execute(QStringLiteral("DELETE FROM group_mul WHERE g_idx = ?"), {idx});
    m_store.execute(QStringLiteral("DELETE FROM group_mem WHERE g_idx = ? AND g_id = ?"), {idx, m_loginId});
    WorkNoteBook(m_store, m_loginId).removeAllOf(NoteKind::Group, idx); // 그룹작업상황 goes with it
    tx.commit();
    return true;
}

int ListingGroups::add(int idx, const QList<int>& numbers, const QDateTime& day) {
    Transaction tx(m_store);
    if (!find(idx))
        return 0;
    const int added = addRows(idx, numbers, day);
    tx.commit();
    return added;
}

ListingGroups::Move ListingGroups::addToNamed(const QString& name, const QList<int>& numbers,
                                              const QDateTime& day) {
    Transaction tx(m_store);
    Move move;
    if (const std::optional<ListingGroup> existing = findByName(name)) {
        move.idx = existing->idx;
    } else {
        move.idx = insertGroup({0, name, {}, {}, day});
        move.created = true;
    }
    move.added = addRows(move.idx, numbers, day);
    tx.commit();
    return move;
}

int ListingGroups::addRows(int idx, const QList<int>& numbers, const QDateTime& day) {
    QSet<int> present;
    for (int number : members(idx))
        present.insert(number);
    int added = 0;
    for (int number : numbers) {
        if (number <= 0 || present.contains(number))
            continue;
        m_store.execute(
            QStringLiteral("INSERT INTO group_mul(g_id, s_id, g_idx, t_idx, g_day) VALUES(?, ?, ?, ?, ?)"),
            {m_loginId, QString(), idx, number, day});
        present.insert(number);
        ++added;
    }
    return added;
}

int ListingGroups::removeListings(int idx, const QList<int>& numbers) {
    Transaction tx(m_store);
    if (!find(idx))
        return 0;
    int removed = 0;
    for (int number : numbers)
        removed += m_store.execute(QStringLiteral("DELETE FROM group_mul WHERE g_idx = ? AND t_idx = ?"),
                                   {idx, number});
    tx.commit();
    return removed;
}

QList<int> ListingGroups::members(int idx) const {
    QSqlQuery q =
        m_store.query(QStringLiteral("SELECT t_idx FROM group_mul WHERE g_idx = ? ORDER BY t_idx"), {idx});
    QList<int> numbers;
    while (q.next())
        numbers << q.value(0).toInt();
    return numbers;
}

} // namespace teran
