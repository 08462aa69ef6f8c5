#include "DetailedSearch.h"

#include "ListSort.h"
#include "ListWhereBuilder.h"

namespace teran {

namespace {

// "column LIKE ?" with the typed text at the start, anywhere or at the end; what the user typed
// matches itself, % and _ included.
void likeBy(WhereBuilder& b, const QString& column, const QString& value, TextMatch match,
            const QString& caption) {
    const QString text = value.trimmed();
    if (text.isEmpty())
        return;
    const QString pattern = match == TextMatch::Starts ? SqlStore::likeStartsWith(text)
                            : match == TextMatch::Ends ? SqlStore::likeEndsWith(text)
                                                       : SqlStore::likeContains(text);
    b.add({column}, QStringLiteral(" AND %1 LIKE ?%2").arg(column, SqlStore::likeEscapeSql()), {pattern},
          caption);
    b.holding(column, {text});
}

// Several words of one box: each must (or one may) be found in the column.
void words(WhereBuilder& b, const QString& column, const QString& typed, WordJoin join,
           const QString& caption) {
    QStringList tests;
    QVariantList values;
    QStringList found;
    for (const QString& word : typed.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (word.trimmed().isEmpty())
            continue;
        tests << column + QStringLiteral(" LIKE ?") + SqlStore::likeEscapeSql();
        values << SqlStore::likeContains(word.trimmed());
        found << word.trimmed();
    }
    if (tests.isEmpty())
        return;
    const QString joiner = join == WordJoin::All ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
    b.add({column}, QStringLiteral(" AND (") + tests.join(joiner) + QLatin1Char(')'), values, caption);
    if (join == WordJoin::Any)
        b.holding(column, found);
    else
        for (const QString& word : found)
            b.holding(column, {word});
}

template <typename T>
void bounds(WhereBuilder& b, const QString& column, const Bounds<T>& range, const QString& caption) {
    b.range(column, range.from, range.to, caption);
}

QString dateColumnName(DateColumn column) {
    switch (column) {
    case DateColumn::Registered:
        return QStringLiteral("writeday");
    case DateColumn::Expires:
        return QStringLiteral("offday");
    case DateColumn::Changed:
        break;
    }
    return QStringLiteral("showday");
}

} // namespace

void addDetailedSearch(WhereBuilder& b, const DetailedSearch& d, bool serverList) {
    likeBy(b, QStringLiteral("addr4"), d.lot, d.lotMatch, QStringLiteral("지번"));
    likeBy(b, QStringLiteral("addr5"), d.unit, d.unitMatch, QStringLiteral("호수"));
    const std::pair<const char*, const QString*> owner[] = {
        {"uname", &d.ownerName}, {"uhome", &d.ownerHome},     {"ufax", &d.ownerFax},
        {"uhp", &d.ownerMobile}, {"uoffice", &d.ownerOffice}, {"umoney", &d.ownerMoney}};
    for (const auto& [column, value] : owner)
        likeBy(b, QLatin1String(column), *value, TextMatch::Contains, QStringLiteral("매도자"));
    likeBy(b, QStringLiteral("ubigo"), d.ownerRemark, d.ownerRemarkMatch, QStringLiteral("매도자"));

    bounds(b, QStringLiteral("money_m"), d.sale, QStringLiteral("매매금"));
    bounds(b, QStringLiteral("money_sg"), d.takeover, QStringLiteral("실구입가"));
    bounds(b, QStringLiteral("money_ys"), d.yield, QStringLiteral("연수익률"));
    bounds(b, QStringLiteral("money_jb"), d.lease, QStringLiteral("전세보증금"));
    bounds(b, QStringLiteral("money_b"), d.deposit, QStringLiteral("월세보증금"));
    bounds(b, QStringLiteral("money_w"), d.rent, QStringLiteral("월세"));
    const QString combined = combinedAmountSql();
    if (d.combined.from)
        b.add({}, QStringLiteral(" AND %1 >= ?").arg(combined), {*d.combined.from}, QStringLiteral("합산금"));
    if (d.combined.to)
        b.add({}, QStringLiteral(" AND %1 <= ?").arg(combined), {*d.combined.to}, QStringLiteral("합산금"));
    bounds(b, QStringLiteral("pyung"), d.area, QStringLiteral("평수"));
    bounds(b, QStringLiteral("pyung_use"), d.usable, QStringLiteral("실평"));
    bounds(b, QStringLiteral("floor_max"), d.totalFloors, QStringLiteral("총층수"));
    words(b, QStringLiteral("floor"), d.floors, d.floorsJoin, QStringLiteral("해당층"));

    if (!d.staff.trimmed().isEmpty())
        b.add({QStringLiteral("subid")}, QStringLiteral(" AND subid = ?"), {d.staff.trimmed()},
              QStringLiteral("담당자"));
    b.like(QStringLiteral("ming"), d.progress.trimmed(), QStringLiteral("진행상태"));
    b.like(QStringLiteral("jubsu"), d.intake.trimmed(), QStringLiteral("접수매체"));
    b.like(QStringLiteral("maemaepart"), d.brokerKind.trimmed(), QStringLiteral("중개구분"));
    b.like(QStringLiteral("maemultype"), d.form.trimmed(), QStringLiteral("형태"));
    b.like(QStringLiteral("mbigo"), d.remark.trimmed(), QStringLiteral("비고"));
    if (d.dateColumn && d.dateFrom.isValid() && d.dateTo.isValid()) {
        // whole days: from the start of the first to the end of the last
        const QString column = dateColumnName(*d.dateColumn);
        b.add({column}, QStringLiteral(" AND %1 >= ? AND %1 < ?").arg(column),
              {d.dateFrom.startOfDay(), d.dateTo.addDays(1).startOfDay()}, QStringLiteral("날짜"));
    }
    words(b, QStringLiteral("keyword"), d.keywords, d.keywordsJoin, QStringLiteral("검색키워드"));
    if (!serverList && d.box != BoxChoice::All) {
        // 2 is the archive; a row without a state is an ordinary one
        b.add({},
              d.box == BoxChoice::Archived ? QStringLiteral(" AND state = 2")
                                           : QStringLiteral(" AND (state <> 2 OR state IS NULL)"),
              {}, {});
    }
}

} // namespace teran
