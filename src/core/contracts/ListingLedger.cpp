#include "ListingLedger.h"
#include "core/session/Session.h"

#include "core/listings/ListCellFormat.h"

#include "ReplaceMoney.h"
#include "core/listings/ListingSheet.h"
#include "core/session/Clock.h"
#include "core/store/SqlStore.h"

#include <cmath>

namespace teran {

namespace {

// The stored column of each grid column, in grid order.
QStringList storedColumns(LedgerKind kind) {
    if (kind == LedgerKind::Tenants)
        return {QStringLiteral("floor"),   QStringLiteral("upjong"),  QStringLiteral("money_b"),
                QStringLiteral("money_w"), QStringLiteral("money_g"), QStringLiteral("endday"),
                QStringLiteral("pyung"),   QStringLiteral("bigo")};
    return {QStringLiteral("floor"),   QStringLiteral("upjong"),  QStringLiteral("money_y"),
            QStringLiteral("money_w"), QStringLiteral("money_g"), QStringLiteral("endday"),
            QStringLiteral("pyung"),   QStringLiteral("bigo")};
}

QString tableOf(LedgerKind kind) {
    return kind == LedgerKind::Tenants ? QStringLiteral("maemul_imchain") : QStringLiteral("maemul_money");
}

// The number a cell holds ("1,000" is 1000); nullopt for an empty cell or text.
std::optional<double> cellNumber(const QString& cell) {
    bool ok = false;
    const double value = QString(cell).remove(QLatin1Char(',')).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

// Money cells are whole 만원 in the store, rates and areas decimals, the rest texts.
bool isDecimalColumn(LedgerKind kind, int column) {
    return column == 6 || (kind == LedgerKind::Loans && column == 3);
}

QVariant storedValue(LedgerKind kind, int column, const QString& cell) {
    if (isLedgerMoneyColumn(kind, column)) {
        const std::optional<double> n = cellNumber(cell);
        return n ? QVariant(qint64(std::llround(*n))) : QVariant(0);
    }
    if (isDecimalColumn(kind, column)) {
        const std::optional<double> n = cellNumber(cell);
        return n ? QVariant(*n) : QVariant();
    }
    return cell;
}

QString cellOf(LedgerKind kind, int column, const QVariant& stored) {
    if (stored.isNull())
        return {};
    if (isLedgerMoneyColumn(kind, column))
        return formatAmount(stored.toLongLong());
    if (isDecimalColumn(kind, column))
        return QString::number(stored.toDouble(), 'g', 15);
    return stored.toString();
}

qint64 counted(const QString& cell) {
    const std::optional<double> n = cellNumber(cell);
    return n && *n != 0 ? qint64(std::llround(*n)) : 0;
}

} // namespace

QStringList ledgerColumns(LedgerKind kind) {
    if (kind == LedgerKind::Tenants)
        return {QStringLiteral("층수"), QStringLiteral("업종"),   QStringLiteral("보증금"),
                QStringLiteral("월세"), QStringLiteral("관리비"), QStringLiteral("만기일"),
                QStringLiteral("평수"), QStringLiteral("비고")};
    return {QStringLiteral("층수"),    QStringLiteral("금융권"),   QStringLiteral("융자금"),
            QStringLiteral("연이율%"), QStringLiteral("기타비용"), QStringLiteral("만기일"),
            QStringLiteral("평수"),    QStringLiteral("비고")};
}

QString ledgerTitle(LedgerKind kind) {
    return kind == LedgerKind::Tenants ? QStringLiteral("임차인현황") : QStringLiteral("금융관계현황");
}

bool isLedgerMoneyColumn(LedgerKind kind, int column) {
    if (kind == LedgerKind::Tenants)
        return column >= 2 && column <= 4;
    return column == 2 || column == 4;
}

LedgerTotals ledgerTotals(LedgerKind kind, const QList<QStringList>& rows) {
    LedgerTotals t;
    for (const QStringList& row : rows) {
        if (kind == LedgerKind::Tenants) {
            t.deposit += counted(row.value(2));
            t.rent += counted(row.value(3));
            t.fee += counted(row.value(4));
            continue;
        }
        const qint64 loan = counted(row.value(2));
        t.loan += loan;
        const std::optional<double> rate = cellNumber(row.value(3));
        if (loan > 0 && rate)
            t.interest += qint64(std::llround(double(loan) * *rate / 100));
    }
    return t;
}

QList<std::pair<QString, qint64>> ledgerTotalsByColumn(LedgerKind kind, const LedgerTotals& totals) {
    if (kind == LedgerKind::Tenants)
        return {{QStringLiteral("money_mb"), totals.deposit},
                {QStringLiteral("money_mw"), totals.rent},
                {QStringLiteral("money_g"), totals.fee}};
    return {{QStringLiteral("money_y"), totals.loan}, {QStringLiteral("money_yeja"), totals.interest}};
}

QString ledgerTotalsText(LedgerKind kind, const LedgerTotals& t) {
    const auto won = [](qint64 v) { return formatAmount(v); };
    if (kind == LedgerKind::Tenants)
        return QStringLiteral("보증금 합계: %1만원, 월세 합계: %2만원, 관리비 합계: %3만원")
            .arg(won(t.deposit), won(t.rent), won(t.fee));
    return QStringLiteral("융자금 합계: %1만원, 연이자 합계: %2만원").arg(won(t.loan), won(t.interest));
}

ListingLedgerStore::ListingLedgerStore(SqlStore& store, const Clock& clock)
    : m_store(store)
    , m_clock(clock) {}

ListingLedgerStore::ListingLedgerStore(Session& s)
    : ListingLedgerStore(s.listingStore(), s.clock()) {}

LedgerTable ListingLedgerStore::load(LedgerKind kind, int listing) {
    LedgerTable table;
    const QString key = QString::number(listing);
    if (kind == LedgerKind::Tenants) {
        QSqlQuery head = m_store.query(
            QStringLiteral("SELECT title, bigo FROM maemul_imchain WHERE addr=? AND sortnum=0"), {key});
        if (head.next()) {
            table.title = head.value(0).toString();
            table.special = head.value(1).toString();
        }
    }
    const QStringList columns = storedColumns(kind);
    QSqlQuery q =
        m_store.query(QStringLiteral("SELECT %1 FROM %2 WHERE addr=? AND sortnum>0 ORDER BY sortnum")
                          .arg(columns.join(','), tableOf(kind)),
                      {key});
    while (q.next()) {
        QStringList row;
        for (int c = 0; c < columns.size(); ++c)
            row << cellOf(kind, c, q.value(c));
        table.rows << row;
    }
    return table;
}

void ListingLedgerStore::save(LedgerKind kind, int listing, const LedgerTable& table) {
    const QString key = QString::number(listing);
    const QVariant now = m_store.toStored(m_clock.now());
    const QStringList columns = storedColumns(kind);
    m_store.transact([&] {
        m_store.execute(QStringLiteral("DELETE FROM %1 WHERE addr=?").arg(tableOf(kind)), {key});
        if (kind == LedgerKind::Tenants)
            m_store.execute(
                QStringLiteral("INSERT INTO maemul_imchain (sortnum, addr, title, bigo, writeday) "
                               "VALUES (0, ?, ?, ?, ?)"),
                {key, table.title, table.special, now});
        const QString sql =
            QStringLiteral("INSERT INTO %1 (sortnum, addr, %2, writeday) VALUES (?, ?, %3, ?)")
                .arg(tableOf(kind), columns.join(','), SqlStore::placeholders(columns.size()));
        for (int r = 0; r < table.rows.size(); ++r) {
            QVariantList values{r + 1, key};
            for (int c = 0; c < columns.size(); ++c)
                values << storedValue(kind, c, table.rows[r].value(c));
            values << now;
            m_store.execute(sql, values);
        }
    });
}

report::Document tenantDocument(const LedgerTable& table, const OfficeDetails& officeDetails) {
    using namespace report;
    Document d;
    d.title = ledgerTitle(LedgerKind::Tenants);
    d.add(Heading{ledgerTitle(LedgerKind::Tenants)});
    d.add(Paragraph{QStringLiteral("보고서 제목 : ") + table.title, Align::Left, true});
    d.add(Heading{QStringLiteral("1. 특징"), 2, Align::Left});
    d.add(Paragraph{table.special.isEmpty() ? QStringLiteral(" ") : table.special});
    d.add(Heading{QStringLiteral("2. 임차인현황 목록"), 2, Align::Left});
    Table t;
    t.header = {QStringLiteral("층 수"),       QStringLiteral("업 종"),        QStringLiteral("보증금(만원)"),
                QStringLiteral("월 세(만원)"), QStringLiteral("관리비(만원)"), QStringLiteral("만기일"),
                QStringLiteral("평수"),        QStringLiteral("비     고")};
    t.align = {Align::Left,  Align::Left,   Align::Right, Align::Right,
               Align::Right, Align::Center, Align::Right, Align::Left};
    for (const QStringList& row : table.rows) {
        QStringList cells = row;
        while (cells.size() < ledgerColumns(LedgerKind::Tenants).size())
            cells << QString();
        for (int c = 2; c <= 4; ++c)
            cells[c] = formatAmount(counted(row.value(c)));
        t.rows << cells;
    }
    d.add(t);
    const LedgerTotals totals = ledgerTotals(LedgerKind::Tenants, table.rows);
    const auto won = [](qint64 v) { return formatAmount(v); };
    d.add(Paragraph{
        QStringLiteral("(") +
            QStringList{won(totals.deposit), won(totals.rent), won(totals.fee)}.join(QStringLiteral(", ")) +
            QStringLiteral(")"),
        Align::Right});
    d.footer = ownSheetCopyright(officeDetails);
    return d;
}

QString LedgerTexts::saveFirst(LedgerKind kind) {
    return kind == LedgerKind::Tenants
               ? QStringLiteral("임차인현황을 등록하시려면 매물을 먼저 저장하셔야 합니다.")
               : QStringLiteral("금융관계현황을 등록하시려면 매물을 먼저 저장하셔야 합니다.");
}

} // namespace teran
