#include "ListingSortKeys.h"

namespace teran {

namespace {

const QString kAddress = QStringLiteral("address");
const QString kHapsan = QStringLiteral("hapsan");
const QString kMoneyM = QStringLiteral("money_m");
const QString kNumber = QStringLiteral("table_idx");

} // namespace

QString combinedAmountSql(const QString& alias) {
    return QStringLiteral("(COALESCE(%1money_w, 0) * 100 + COALESCE(%1money_b, 0))").arg(alias);
}

const QStringList& ownListSortTags() {
    static const QStringList tags = {QStringLiteral("cboname"),   QStringLiteral("jimok"),
                                     QStringLiteral("state"),     kNumber,
                                     QStringLiteral("imgname1"),  kMoneyM,
                                     QStringLiteral("money_sg"),  QStringLiteral("money_y"),
                                     QStringLiteral("money_jb"),  kHapsan,
                                     QStringLiteral("money_b"),   QStringLiteral("money_g"),
                                     QStringLiteral("money_s"),   QStringLiteral("money_ys"),
                                     QStringLiteral("money_w"),   QStringLiteral("pyung"),
                                     QStringLiteral("pyung_use"), QStringLiteral("floor"),
                                     QStringLiteral("room"),      QStringLiteral("makedate"),
                                     QStringLiteral("showday"),   QStringLiteral("writeday"),
                                     QStringLiteral("offday"),    kAddress,
                                     QStringLiteral("tb"),        QStringLiteral("ty"),
                                     QStringLiteral("ming"),      QStringLiteral("jubsu"),
                                     QStringLiteral("upjong"),    QStringLiteral("maemultype")};
    return tags;
}

QStringList listingSortKeys(const QString& tag, ListingSide side, const QString& alias) {
    const bool server = side == ListingSide::Server;
    if (tag == kAddress) {
        // the server keeps no lot number or unit
        const int parts = server ? 3 : 5;
        QStringList keys;
        for (int i = 1; i <= parts; ++i)
            keys << alias + QStringLiteral("addr%1").arg(i);
        return keys;
    }
    if (tag == kHapsan)
        return {combinedAmountSql(alias)};
    // The price column of the own list shows the sale price, else the deposit of a lease, else
    // the combined amount of a monthly rent: it sorts by them in that order.
    if (tag == kMoneyM && !server)
        return {alias + kMoneyM, alias + QStringLiteral("money_jb"), combinedAmountSql(alias),
                alias + QStringLiteral("money_b")};
    return {alias + tag};
}

QString ownListSortIndex(const QString& tag) {
    if (tag == kNumber || !ownListSortTags().contains(tag))
        return {};
    return QStringLiteral("ix_maemul_") + tag;
}

// Every index ends on the row number (SQLite keeps it in every index), which is the lists' last
// key: walked backwards or forwards, an index gives a page in the list's exact order.
QList<IndexDef> ownListSortIndexes() {
    QList<IndexDef> indexes;
    for (const QString& tag : ownListSortTags()) {
        const QString name = ownListSortIndex(tag);
        if (!name.isEmpty())
            indexes.append({name, listingSortKeys(tag, ListingSide::Local), false});
    }
    return indexes;
}

} // namespace teran
