#include "MoneyDiary.h"
#include "core/session/Session.h"

#include "core/listings/ListCellFormat.h"
#include "core/store/SqlStore.h"

#include <QSqlQuery>

namespace teran {

namespace {

const QString kColumns =
    QStringLiteral("table_idx, groupin, daym, timem, suip, suiptxt, jichul, jichultxt, bigo FROM mem_money");

QVariantList storedValues(const SqlStore& store, const MoneyLine& m) {
    return {m.purpose, store.toStored(m.day), m.time,   m.income, m.incomeText,
            m.expense, m.expenseText,         m.remarks};
}

} // namespace

MoneyTotals moneyTotals(const QList<MoneyLine>& lines) {
    MoneyTotals t;
    for (const MoneyLine& m : lines) {
        t.income += m.income;
        t.expense += m.expense;
    }
    return t;
}

std::optional<qint64> typedWon(const QString& text) {
    const QString digits = QString(text).remove(QLatin1Char(',')).trimmed();
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qint64 won = digits.toLongLong(&ok);
    return ok ? std::optional(won) : std::nullopt;
}

QString moneyTotalsText(const MoneyTotals& t) {
    return QStringLiteral(" 수입 [%1 원]   지출 [%2 원]   잔액 [%3 원]")
        .arg(formatAmount(t.income), formatAmount(t.expense), formatAmount(t.balance()));
}

MoneyDiary::MoneyDiary(SqlStore& store, QString loginId)
    : m_store(store)
    , m_loginId(std::move(loginId)) {}

MoneyDiary::MoneyDiary(Session& s)
    : MoneyDiary(s.listingStore(), s.state().LoginId) {}

QStringList MoneyDiary::searchColumns() {
    return {QStringLiteral("suiptxt"), QStringLiteral("jichultxt"), QStringLiteral("bigo")};
}

QList<MoneyLine> MoneyDiary::list(const MoneyFilter& filter) {
    DiaryQuery q(m_store, QStringLiteral("SELECT %1 WHERE id = ?").arg(kColumns), {m_loginId});
    q.search(filter.search, searchColumns());
    if (!filter.purpose.isEmpty() && filter.purpose != everyPurpose())
        q.equals(QStringLiteral("groupin"), filter.purpose);
    q.period(QStringLiteral("daym"), filter.period);
    if (!filter.purposeTab.isEmpty() && filter.purposeTab != everyTab())
        q.equals(QStringLiteral("groupin"), filter.purposeTab);
    return read(q.sql() + QStringLiteral(" ORDER BY daym, timem, table_idx"), q.values());
}

QStringList MoneyDiary::purposesOfMonth(const QDate& day) {
    DiaryQuery q(m_store, {}, {m_loginId});
    q.period(QStringLiteral("daym"),
             DiaryPeriod{.kind = PeriodKind::Month, .day = day, .from = {}, .to = {}});
    return purposesWhere(q.sql(), q.values());
}

QStringList MoneyDiary::purposes() {
    return purposesWhere({}, {m_loginId});
}

QStringList MoneyDiary::purposesWhere(const QString& condition, const QVariantList& values) {
    QSqlQuery q =
        m_store.query(QStringLiteral("SELECT groupin FROM mem_money WHERE id = ? AND groupin IS NOT NULL "
                                     "AND groupin <> ''%1 GROUP BY groupin ORDER BY groupin")
                          .arg(condition),
                      values);
    QStringList found;
    while (q.next())
        found << q.value(0).toString();
    return found;
}

std::optional<MoneyLine> MoneyDiary::load(int number) {
    const QList<MoneyLine> found =
        read(QStringLiteral("SELECT %1 WHERE id = ? AND table_idx = ?").arg(kColumns), {m_loginId, number});
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QList<MoneyLine> MoneyDiary::read(const QString& sql, const QVariantList& values) {
    QSqlQuery q = m_store.query(sql, values);
    QList<MoneyLine> found;
    while (q.next()) {
        MoneyLine m;
        m.number = q.value(0).toInt();
        m.purpose = q.value(1).toString();
        m.day = storedDay(q.value(2));
        m.time = q.value(3).toString();
        m.income = q.value(4).toLongLong();
        m.incomeText = q.value(5).toString();
        m.expense = q.value(6).toLongLong();
        m.expenseText = q.value(7).toString();
        m.remarks = q.value(8).toString();
        found << m;
    }
    return found;
}

void MoneyDiary::save(MoneyLine& m) {
    m.number = UserRows(m_store, QStringLiteral("mem_money"), m_loginId)
                   .save(m.number,
                         {QStringLiteral("groupin"), QStringLiteral("daym"), QStringLiteral("timem"),
                          QStringLiteral("suip"), QStringLiteral("suiptxt"), QStringLiteral("jichul"),
                          QStringLiteral("jichultxt"), QStringLiteral("bigo")},
                         storedValues(m_store, m));
}

bool MoneyDiary::remove(int number) {
    return UserRows(m_store, QStringLiteral("mem_money"), m_loginId).remove(number);
}

QStringList moneyColumns() {
    return {QStringLiteral("일시"),     QStringLiteral("수입"),     QStringLiteral("지출"),
            QStringLiteral("수입내역"), QStringLiteral("지출내역"), QStringLiteral("시간"),
            QStringLiteral("비고")};
}

QStringList moneyCells(const MoneyLine& m) {
    return {m.day.toString(QStringLiteral("yyyy-MM-dd")),
            formatAmount(m.income),
            formatAmount(m.expense),
            m.incomeText,
            m.expenseText,
            m.time,
            m.remarks};
}

report::Document moneyDocument(const QString& title, const QList<MoneyLine>& lines) {
    using namespace report;
    Document d;
    d.title = title;
    d.add(Heading{title});
    Table t;
    t.header = moneyColumns();
    t.weights = {12, 12, 12, 18, 18, 8, 20};
    t.align = {Align::Center, Align::Right, Align::Right};
    for (const MoneyLine& m : lines)
        t.rows << moneyCells(m);
    d.add(t);
    d.add(Paragraph{moneyTotalsText(moneyTotals(lines)).trimmed(), Align::Right, true});
    return d;
}

} // namespace teran
