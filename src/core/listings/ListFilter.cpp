#include "ListFilter.h"

#include "ListSort.h"
#include "ListWhereBuilder.h"

#include "core/listing/PropertyTypes.h"
#include "core/store/SqlStore.h"

#include <QDateTime>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace teran {

namespace {

const QString kCombined = combinedAmountSql();

struct FreeFieldEntry {
    FreeField field;
    const char* caption;
    const char* column; // empty for the phone choice, which searches four columns
};

const FreeFieldEntry kFreeFields[] = {
    {FreeField::Unit, "호수", "addr5"},
    {FreeField::Lot, "지번", "addr4"},
    {FreeField::Remark, "비고", "mbigo"},
    {FreeField::Seller, "매도자", "uname"},
    {FreeField::Phone, "전화번호", ""},
    {FreeField::Other, "기타", "ubigo"},
    {FreeField::BrokerKind, "중개구분", "maemaepart"},
    {FreeField::Intake, "접수매체", "jubsu"},
};

const FreeFieldEntry* findFreeField(FreeField field) {
    for (const FreeFieldEntry& e : kFreeFields)
        if (e.field == field)
            return &e;
    return nullptr;
}

// Which "rooms" columns of a building with households of one, two and three or more rooms can
// satisfy a bound: from n, households of n rooms or more (three-or-more always may); to n,
// households of at most n rooms.
QStringList householdRoomColumns(int bound, bool from) {
    QStringList columns;
    for (int rooms = 1; rooms <= 3; ++rooms) {
        const bool fits = from ? (rooms >= bound || rooms == 3) : rooms <= bound;
        if (fits)
            columns << QStringLiteral("room_%1").arg(rooms);
    }
    return columns;
}

bool countsHouseholdRooms(const QString& tb) {
    return tb == QLatin1String("dagagu") || tb == QLatin1String("villa");
}

void addTransaction(WhereBuilder& b, int transaction) {
    switch (transaction) {
    case SaleOnly:
        b.add({}, QStringLiteral(" AND money_m <> 0"), {}, {});
        break;
    case LeaseOnly:
        b.add({}, QStringLiteral(" AND money_jb <> 0"), {}, {});
        break;
    case MonthlyOnly:
        b.add({}, QStringLiteral(" AND (money_b <> 0 OR money_w <> 0)"), {}, {});
        break;
    case AnyLease:
        b.add({}, QStringLiteral(" AND (money_jb <> 0 OR money_b <> 0 OR money_w <> 0)"), {}, {});
        break;
    case CombinedNonZero:
        b.add({}, QStringLiteral(" AND ") + kCombined + QStringLiteral(" <> 0"), {}, {});
        break;
    case TakeoverOnly:
        b.add({}, QStringLiteral(" AND money_sg <> 0"), {}, {});
        break;
    default:
        break;
    }
}

void addRooms(WhereBuilder& b, const ListFilter& f) {
    const QString caption = QStringLiteral("방갯수");
    const auto bound = [&](int n, bool from) {
        const QString compare = from ? QStringLiteral(">=") : QStringLiteral("<=");
        if (!countsHouseholdRooms(f.tb)) {
            b.add({}, QStringLiteral(" AND room %1 ?").arg(compare), {n}, caption);
            return;
        }
        QString sql = QStringLiteral(" AND (room %1 ?").arg(compare);
        for (const QString& column : householdRoomColumns(n, from))
            sql += QStringLiteral(" OR %1 > 0").arg(column);
        b.add({}, sql + QLatin1Char(')'), {n}, caption);
    };
    if (f.roomsFrom)
        bound(*f.roomsFrom, true);
    if (f.roomsTo)
        bound(*f.roomsTo, false);
}

// "column >= ? AND column <= ?" for the bounds that are set, with their values.
QString boundsSql(const QString& column, const ListFilter& f, QVariantList& values) {
    QString sql;
    if (f.amountFrom) {
        sql += QStringLiteral(" AND %1 >= ?").arg(column);
        values << *f.amountFrom;
    }
    if (f.amountTo) {
        sql += QStringLiteral(" AND %1 <= ?").arg(column);
        values << *f.amountTo;
    }
    return sql;
}

void addAmount(WhereBuilder& b, const ListFilter& f) {
    if (!f.amountFrom && !f.amountTo)
        return;
    const QString caption = QStringLiteral("금액");
    QVariantList values;
    switch (f.transaction) {
    case SaleOnly:
        b.add({}, boundsSql(QStringLiteral("money_m"), f, values), values, caption);
        break;
    case LeaseOnly:
        // a listing without a lease amount must not pass the upper bound by its zero
        b.add({}, QStringLiteral(" AND money_jb <> 0") + boundsSql(QStringLiteral("money_jb"), f, values),
              values, caption);
        break;
    case MonthlyOnly:
        b.add({}, boundsSql(QStringLiteral("money_b"), f, values), values, caption);
        break;
    case AnyLease: {
        // Either a lease within the range or a monthly rent whose deposit is: neither passes on
        // the zero amount of the other kind.
        const QString lease =
            QStringLiteral("money_jb <> 0") + boundsSql(QStringLiteral("money_jb"), f, values);
        const QString monthly = QStringLiteral("(money_b <> 0 OR money_w <> 0)") +
                                boundsSql(QStringLiteral("money_b"), f, values);
        b.add({}, QStringLiteral(" AND ((%1) OR (%2))").arg(lease, monthly), values, caption);
        break;
    }
    case CombinedNonZero:
        b.add({}, boundsSql(kCombined, f, values), values, caption);
        break;
    case TakeoverOnly:
        b.add({}, boundsSql(QStringLiteral("money_sg"), f, values), values, caption);
        break;
    default:
        break;
    }
}

void addNumbers(WhereBuilder& b, const ListFilter& f, ListKind kind) {
    if (f.numbers.isEmpty())
        return;
    QVariantList values;
    for (int n : f.numbers)
        values << n;
    const QString column = isServerList(kind) ? QStringLiteral("sub_idx") : QStringLiteral("table_idx");
    b.add({column}, QStringLiteral(" AND %1 IN (%2)").arg(column, SqlStore::placeholders(values.size())),
          values, QStringLiteral("번호"));
}

void addFreeField(WhereBuilder& b, const ListFilter& f) {
    const FreeFieldEntry* entry = findFreeField(f.freeField);
    if (!entry || f.freeValue.isEmpty())
        return;
    const QString caption = QString::fromUtf8(entry->caption);
    if (f.freeField != FreeField::Phone) {
        b.like(QString::fromLatin1(entry->column), f.freeValue, caption);
        return;
    }
    const QStringList phones = {QStringLiteral("uhome"), QStringLiteral("uoffice"), QStringLiteral("uhp"),
                                QStringLiteral("ufax")};
    QStringList tests;
    QVariantList values;
    for (const QString& column : phones) {
        tests << column + QStringLiteral(" LIKE ?") + SqlStore::likeEscapeSql();
        values << SqlStore::likeContains(f.freeValue);
    }
    b.add(phones, QStringLiteral(" AND (") + tests.join(QStringLiteral(" OR ")) + QLatin1Char(')'), values,
          caption);
}

void addOwnListChoices(WhereBuilder& b, const ListFilter& f, const WhereContext& c) {
    const int archived = stateValue(PublicationState::Archived);
    if (f.detailed) {
        // the comprehensive search chose its box itself
    } else if (f.archive)
        b.add({}, QStringLiteral(" AND state = ?"), {archived}, {});
    else
        b.add({}, QStringLiteral(" AND (state <> ? OR state IS NULL)"), {archived}, {});
    if (f.recentDays && *f.recentDays >= 0 && c.today.isValid()) {
        ColorRule which;
        which.date = f.recentBy;
        const QDateTime cutOff = c.today.addDays(-*f.recentDays).startOfDay();
        b.add({}, QStringLiteral(" AND %1 >= ?").arg(which.dateColumn()), {cutOff}, which.dateCaption());
    }
}

bool isNonNegative(double value) {
    return std::isfinite(value) && value >= 0;
}

} // namespace

FreeField freeFieldFromCaption(const QString& caption) {
    for (const FreeFieldEntry& e : kFreeFields)
        if (caption == QString::fromUtf8(e.caption))
            return e.field;
    return FreeField::None;
}

bool parseWholeBound(const QString& text, std::optional<qint64>& out) {
    out.reset();
    QString digits = text.trimmed();
    if (digits.isEmpty())
        return true;
    static const QRegularExpression grouped(QStringLiteral("^\\d{1,3}(,\\d{3})+$"));
    if (grouped.match(digits).hasMatch())
        digits.remove(QLatin1Char(','));
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (!ok || value < 0 || digits.startsWith(QLatin1Char('+')))
        return false;
    out = value;
    return true;
}

bool parseCountBound(const QString& text, std::optional<int>& out) {
    out.reset();
    std::optional<qint64> whole;
    if (!parseWholeBound(text, whole))
        return false;
    if (whole && *whole > std::numeric_limits<int>::max())
        return false;
    if (whole)
        out = int(*whole);
    return true;
}

bool parseDecimalBound(const QString& text, std::optional<double>& out) {
    out.reset();
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return true;
    static const QRegularExpression plain(QStringLiteral("^\\d+(\\.\\d*)?$|^\\.\\d+$"));
    if (!plain.match(trimmed).hasMatch())
        return false;
    bool ok = false;
    const double value = trimmed.toDouble(&ok);
    if (!ok || !isNonNegative(value))
        return false;
    out = value;
    return true;
}

bool parseListingNumbers(const QString& text, QList<int>& out) {
    out.clear();
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    const QStringList pieces = text.split(separators, Qt::SkipEmptyParts);
    if (pieces.size() > kMaxListingNumbers)
        return false;
    QList<int> numbers;
    for (const QString& piece : pieces) {
        bool ok = false;
        const int n = piece.toInt(&ok);
        if (!ok || n <= 0 || piece.startsWith(QLatin1Char('+')))
            return false;
        if (!numbers.contains(n))
            numbers << n;
    }
    out = numbers;
    return true;
}

QString nameFilterColumn(const QString& tb) {
    if (tb == QLatin1String("gong") || isAllTypes(tb) || !nameCaption(tb).isEmpty())
        return QStringLiteral("cboname");
    if (tb == QLatin1String("land"))
        return QStringLiteral("jimok");
    if (tb == QLatin1String("budongsan"))
        return QStringLiteral("maemultype");
    return QStringLiteral("special");
}

bool isPlain(const ListFilter& f) {
    ListFilter plain;
    plain.tb = f.tb;
    plain.archive = f.archive;
    return f == plain;
}

ListWhere ListWhereBuild(const ListFilter& f, const WhereContext& c) {
    WhereBuilder b(sideOf(c.kind), c.textIndex);
    if (!isAllTypes(f.tb))
        b.add({}, QStringLiteral(" AND tb = ?"), {f.tb}, {});
    addTransaction(b, f.transaction);
    if (c.kind == ListKind::Own && c.loginId != c.officeMainId)
        b.add({QStringLiteral("opid")}, QStringLiteral(" AND (opid IS NULL OR opid = '' OR opid = ?)"),
              {c.loginId}, {});
    b.like(QStringLiteral("ming"), f.progress, QStringLiteral("진행상태"));
    b.like(QStringLiteral("keyword"), f.keyword, QStringLiteral("검색키워드"));
    addRooms(b, f);
    addAmount(b, f);
    b.range(QStringLiteral("money_w"), f.rentFrom, f.rentTo, QStringLiteral("월세"));
    b.range(QStringLiteral("pyung"), f.areaFrom, f.areaTo, QStringLiteral("평형"));
    b.range(QStringLiteral("pyung_use"), f.usableFrom, f.usableTo, QStringLiteral("실평"));
    addNumbers(b, f, c.kind);
    b.like(QStringLiteral("addr1"), f.addr1, QStringLiteral("시도"));
    b.like(QStringLiteral("addr2"), f.addr2, QStringLiteral("군구"));
    b.like(QStringLiteral("addr3"), f.addr3, QStringLiteral("읍면동"));
    addFreeField(b, f);
    b.like(nameFilterColumn(f.tb), f.name,
           nameCaption(f.tb).isEmpty() ? QStringLiteral("이름") : nameCaption(f.tb));
    if (f.detailed)
        addDetailedSearch(b, *f.detailed, isServerList(c.kind));
    if (c.kind == ListKind::Own)
        addOwnListChoices(b, f, c);
    return b.take();
}

} // namespace teran
