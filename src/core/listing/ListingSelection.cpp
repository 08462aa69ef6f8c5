#include "ListingSelection.h"

#include "core/store/SqlStore.h"

#include <QHash>
#include <QSet>

namespace teran {

namespace {

QList<int> distinctNumbers(const QList<ListingPick>& picks) {
    QList<int> numbers;
    QSet<int> seen;
    for (const ListingPick& pick : picks)
        if (pick.number > 0 && !seen.contains(pick.number)) {
            seen.insert(pick.number);
            numbers << pick.number;
        }
    return numbers;
}

QString text(const QSqlQuery& q, int field) {
    return q.value(field).toString();
}

} // namespace

QString ListingNumberList::placeholders(qsizetype count) {
    return SqlStore::placeholders(count);
}

QList<QList<int>> ListingNumberList::chunks(const QList<int>& numbers, qsizetype size) {
    QList<QList<int>> parts;
    for (qsizetype from = 0; from < numbers.size(); from += size)
        parts << numbers.mid(from, size);
    return parts;
}

QList<SelectedListing> readSelection(SqlStore& listing, const QList<ListingPick>& picks) {
    QHash<int, SelectedListing> stored;
    for (const QList<int>& part : ListingNumberList::chunks(distinctNumbers(picks))) {
        QVariantList values;
        for (int number : part)
            values << number;
        QSqlQuery q = listing.query(
            QStringLiteral("SELECT table_idx, state, tb, ty, subid, imgname1, imgname2 FROM maemul "
                           "WHERE table_idx IN (%1)")
                .arg(ListingNumberList::placeholders(part.size())),
            values);
        while (q.next()) {
            SelectedListing row;
            row.number = q.value(0).toInt();
            row.state = publicationStateFrom(q.value(1));
            row.tb = text(q, 2);
            row.ty = text(q, 3);
            row.subid = text(q, 4);
            row.imgname1 = text(q, 5);
            row.imgname2 = text(q, 6);
            stored.insert(row.number, row);
        }
    }
    QList<SelectedListing> rows;
    QSet<int> taken;
    for (const ListingPick& pick : picks) {
        if (taken.contains(pick.number) || !stored.contains(pick.number))
            continue;
        taken.insert(pick.number);
        SelectedListing row = stored.value(pick.number);
        row.label = pick.label;
        rows << row;
    }
    return rows;
}

bool mayDelete(const QString& loginId, const QString& officeId, const QString& inCharge) {
    return loginId == officeId || loginId == inCharge;
}

QList<SelectedListing> deletableBy(const QList<SelectedListing>& rows, const QString& loginId,
                                   const QString& officeId) {
    QList<SelectedListing> allowed;
    for (const SelectedListing& row : rows)
        if (mayDelete(loginId, officeId, row.subid))
            allowed << row;
    return allowed;
}

QString joinedLabels(const QList<SelectedListing>& rows) {
    QStringList labels;
    for (const SelectedListing& row : rows)
        labels << row.label;
    return labels.join(QLatin1Char(','));
}

QString joinedLabels(const QList<ListingPick>& picks) {
    QStringList labels;
    for (const ListingPick& pick : picks)
        labels << pick.label;
    return labels.join(QLatin1Char(','));
}

} // namespace teran
