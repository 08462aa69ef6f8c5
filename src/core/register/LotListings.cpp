#include "LotListings.h"
#include "core/session/Session.h"

#include "core/session/NumberText.h"

namespace teran {

namespace {

QString textOf(const ListingRow& row, const char* column) {
    return plainNumber(row.value(QString::fromLatin1(column)));
}

QString joined(const ListingRow& row, std::initializer_list<const char*> columns) {
    QStringList parts;
    for (const char* column : columns)
        parts << textOf(row, column);
    return parts.join(QStringLiteral(" / "));
}

QString dated(const ListingRow& row, const char* column, const QString& format) {
    const QDateTime at = row.value(QString::fromLatin1(column)).toDateTime();
    return at.isValid() ? at.toString(format) : QString();
}

} // namespace

QStringList lotListingCaptions() {
    return {QStringLiteral("√"),      QStringLiteral("번호"),     QStringLiteral("종목"),
            QStringLiteral("분류"),   QStringLiteral("진행상태"), QStringLiteral("시도"),
            QStringLiteral("군구"),   QStringLiteral("읍면동"),   QStringLiteral("지번"),
            QStringLiteral("호수"),   QStringLiteral("연락처"),   QStringLiteral("매매가"),
            QStringLiteral("융자금"), QStringLiteral("보증금"),   QStringLiteral("월세"),
            QStringLiteral("관리비"), QStringLiteral("시설비"),   QStringLiteral("평수"),
            QStringLiteral("층수"),   QStringLiteral("방갯수"),   QStringLiteral("건축년도"),
            QStringLiteral("비고"),   QStringLiteral("담당자"),   QStringLiteral("수정일"),
            QStringLiteral("등록일"), QStringLiteral("만기일")};
}

QStringList lotListingCells(const ListingRow& row) {
    const auto amount = [&](const char* column) {
        return formatAmount(row.value(QString::fromLatin1(column)));
    };
    return {QString(),
            textOf(row, "table_idx"),
            propertyTypeLabel(textOf(row, "tb")),
            transactionLabel(textOf(row, "ty")),
            textOf(row, "ming"),
            textOf(row, "addr1"),
            textOf(row, "addr2"),
            textOf(row, "addr3"),
            textOf(row, "addr4"),
            textOf(row, "addr5"),
            joined(row, {"uhome", "uhp", "uoffice"}),
            amount("money_m"),
            amount("money_y"),
            amount("money_b"),
            amount("money_w"),
            amount("money_g"),
            amount("money_s"),
            joined(row, {"pyung", "pyung_use"}),
            joined(row, {"floor", "floor_max"}),
            textOf(row, "room"),
            textOf(row, "makedate"),
            textOf(row, "mbigo"),
            textOf(row, "subid"),
            dated(row, "showday", QStringLiteral("yy-MM-dd H:mm")),
            dated(row, "writeday", QStringLiteral("yy-MM-dd")),
            dated(row, "offday", QStringLiteral("yy-MM-dd"))};
}

QList<ListingRow> lotListings(SqlStore& store, const QStringList& lot) {
    QList<ListingRow> rows;
    for (int number : listingsOnLot(store, lot))
        if (const std::optional<ListingRow> row = readLocal(store, number))
            rows << *row;
    return rows;
}

QList<ListingRow> lotListings(Session& session, const QStringList& lot) {
    return lotListings(session.listingStore(), lot);
}

} // namespace teran
