#include "ListingsForBuyer.h"

#include "BuyerRegister.h"
#include "SmsRecord.h"
#include "core/listing/PropertyTypes.h"
#include "core/listings/ListQuery.h"
#include "core/session/Session.h"
#include "core/store/RowWriter.h"

namespace teran {

namespace {

// The columns the matching and the summary read.
QStringList matchColumns(bool server) {
    QStringList columns{QStringLiteral("table_idx"), QStringLiteral("id"),       QStringLiteral("tb"),
                        QStringLiteral("ty"),        QStringLiteral("addr1"),    QStringLiteral("addr2"),
                        QStringLiteral("addr3"),     QStringLiteral("pyung"),    QStringLiteral("pyung_use"),
                        QStringLiteral("money_m"),   QStringLiteral("money_jb"), QStringLiteral("money_b"),
                        QStringLiteral("money_w"),   QStringLiteral("money_bn"), QStringLiteral("cboname")};
    if (server)
        columns << QStringLiteral("sub_idx");
    return columns;
}

QString transactionCodeOf(const QString& label) {
    for (const QString& code : transactionCodes())
        if (transactionLabel(code) == label)
            return code;
    return {};
}

// The column (or expression) of the amount a buyer of this transaction looks at.
QString amountExpression(const QString& ty) {
    if (ty == QLatin1String("J"))
        return QStringLiteral("money_jb");
    if (ty == QLatin1String("W"))
        return QStringLiteral("money_b");
    if (ty == QLatin1String("B"))
        return QStringLiteral("COALESCE(NULLIF(money_m, 0), money_bn)");
    return QStringLiteral("money_m");
}

// " AND expr >= ? AND expr <= ?" for a wanted range widened by the tolerance; an upper bound
// of 0 stays open, a lower bound of 0 asks nothing.
template <typename T>
QString widenedRange(const QString& expression, const WantedRange<T>& range, double tolerance,
                     QVariantList& values) {
    constexpr double kSlack = 1e-6;
    QString sql;
    if (range.from > 0) {
        sql += QStringLiteral(" AND %1 >= ?").arg(expression);
        values << double(range.from) * (1 - tolerance) - kSlack;
    }
    if (range.to > 0) {
        sql += QStringLiteral(" AND %1 <= ?").arg(expression);
        values << double(range.to) * (1 + tolerance) + kSlack;
    }
    return sql;
}

QString wantedRegion(const Buyer& b, QVariantList& values) {
    QString sql;
    const QList<std::pair<const char*, QString>> levels{
        {"addr1", b.addre1}, {"addr2", b.addre2}, {"addr3", b.addre3}};
    for (const auto& [column, wanted] : levels) {
        if (wanted.isEmpty())
            continue;
        // COALESCE keeps the indexes of the address out of the plan: a region holds most of an
        // office's listings, and the type's index narrows them far better.
        sql += QStringLiteral(" AND COALESCE(%1, '') = ?").arg(QLatin1String(column));
        values << wanted;
    }
    return sql;
}

} // namespace

ListingsMessage messageOfListings(const QStringList& summaries) {
    ListingsMessage message;
    const QString separator = QStringLiteral(" / ");
    for (int i = 0; i < summaries.size(); ++i) {
        const QString next =
            message.text.isEmpty() ? summaries.at(i) : message.text + separator + summaries.at(i);
        if (summaries.at(i).isEmpty() || smsByteLength(next) > kSmsTextBytes)
            continue;
        message.text = next;
        message.included << i;
    }
    return message;
}

report::Document listingsForBuyerReport(const Buyer& buyer, const QList<ListingFit>& listings) {
    report::Document document;
    document.title = QStringLiteral("맞는 매물 - ") + buyer.contact.name;
    document.orientation = report::Orientation::Landscape;
    document.add(report::Heading{document.title});
    document.add(report::Paragraph{wishText(buyer)});
    report::Table table;
    table.header = {QStringLiteral("번호"), QStringLiteral("매물"), QStringLiteral("적합"),
                    QStringLiteral("사유")};
    table.weights = {1, 6, 1, 3};
    table.align = {report::Align::Center, report::Align::Left, report::Align::Center, report::Align::Left};
    for (const ListingFit& fit : listings)
        table.rows << QStringList{QString::number(fit.listing.key.number), fit.summary, fitCaption(fit),
                                  fit.reasons.join(QStringLiteral(", "))};
    document.add(table);
    return document;
}

ListingsForBuyer::ListingsForBuyer(Session& session)
    : m_session(session) {}

ListingFitPage ListingsForBuyer::page(const Buyer& buyer, ListKind list, int page, int pageSize,
                                      double tolerance, const QStringList& clubIds) {
    ListingFitPage result;
    if (isServerList(list) && !m_session.serverStore().isOpen()) {
        result.ok = false;
        result.error = QStringLiteral("The server is not connected");
        return result;
    }
    QList<QVariantList> rows;
    const QList<ListingFit> fits = fitting(buyer, list, tolerance, clubIds, rows);
    const QStringList columns = matchColumns(isServerList(list));
    pageSize = qMax(1, pageSize);
    result.total = fits.size();
    result.pageCount = pageCountOf(result.total, pageSize);
    result.page = clampPage(page, result.total, pageSize);
    result.rows = fits.mid(qsizetype(result.page - 1) * pageSize, pageSize);
    // Only the rows shown are summed up: a wide wish fits thousands.
    for (ListingFit& fit : result.rows) {
        ListingRow row;
        for (int i = 0; i < columns.size(); ++i)
            row.insert(columns.at(i), rows.at(fit.row).at(i));
        fit.summary = listingSummary(row);
    }
    return result;
}

QList<ListingFit> ListingsForBuyer::fitting(const Buyer& buyer, ListKind list, double tolerance,
                                            const QStringList& clubIds, QList<QVariantList>& rows) {
    const PropertyType* type = findPropertyTypeByLabel(buyer.tb);
    const QString ty = transactionCodeOf(buyer.ty);
    if (!type || ty.isEmpty())
        return {};
    ListRequest request(list, ListFilter{});
    request.filter.tb = type->code;
    request.clubIds = clubIds;
    const ListScope scope = ListQuery(m_session).scopeOf(request);
    if (scope.matchesNothing)
        return {};

    QVariantList values = scope.values;
    QString sql = QStringLiteral("SELECT ") + quotedNames(matchColumns(scope.server)) + scope.from +
                  QStringLiteral(" AND ty = ?");
    values << ty;
    sql += wantedRegion(buyer, values);
    sql += widenedRange(amountExpression(ty), buyer.amount, tolerance, values);
    sql += widenedRange(QStringLiteral("pyung"), buyer.area, tolerance, values);
    if (wantsLandAndBuilding(buyer.tb))
        sql += widenedRange(QStringLiteral("pyung_use"), buyer.building, tolerance, values);
    if (ty == QLatin1String("W"))
        sql += widenedRange(QStringLiteral("money_w"), buyer.rent, tolerance, values);

    SqlStore& store = scope.server ? m_session.serverStore() : m_session.listingStore();
    const QStringList columns = matchColumns(scope.server);
    const QHash<ListingKey, MatchEntry> history = MatchHistory(m_session).ofBuyer(buyer.number);
    QList<ListingFit> fits;
    QHash<QString, int> at;
    for (int i = 0; i < columns.size(); ++i)
        at.insert(columns.at(i), i);
    QSqlQuery q = store.query(sql, values);
    while (q.next()) {
        QVariantList row;
        row.reserve(columns.size());
        for (int i = 0; i < columns.size(); ++i)
            row << q.value(i);
        ListingFit fit;
        fit.listing = matchedListing([&](const QString& column) { return row.value(at.value(column, -1)); },
                                     scope.server);
        const std::optional<MatchFit> match = fitBetween(buyer, fit.listing, tolerance);
        if (!match)
            continue;
        static_cast<MatchFit&>(fit) = *match;
        const std::optional<MatchEntry> shown =
            history.value(fit.listing.key).shownAt(fit.listing.amount, fit.listing.rent);
        if (!shown)
            continue;
        fit.history = *shown;
        fit.list = list;
        fit.serverIdx = scope.server ? row.at(0).toInt() : 0; // table_idx
        fit.row = int(rows.size());
        rows << row;
        fits << fit;
    }
    sortFits(fits);
    return fits;
}

} // namespace teran
