#include "ContractRegister.h"

#include "core/session/SettingsStore.h"

#include "core/listings/ListCellFormat.h"

#include <algorithm>

#include "ConfirmationForm.h"
#include "ContractStore.h"
#include "Receipt.h"
#include "ReplaceMoney.h"
#include "core/session/Clock.h"
#include "core/session/Session.h"
#include "core/store/SqlStore.h"

namespace teran {

namespace {

constexpr qint64 kReportedDeposit = 6000; // 만원
constexpr qint64 kReportedRent = 30;      // 만원
constexpr int kReportDays = 30;

const QString kColumns =
    QStringLiteral("table_idx, ty, name1, tel1, name3, tel2, Adr1, Adr2, Adr3, Adr4, jimok, pyung1, pyung2, "
                   "gujo, ydo, pyung3, pyung4, "
                   "money1, money2, money3, money4, money5, money6, ymd1, ymd2, ymd3, ymd4, ymd5, writeday");

Contract contractOfRow(const QSqlQuery& q) {
    Contract k;
    k.number = q.value(0).toInt();
    k.kind = contractKindOf(q.value(1).toString());
    k.seller.name = q.value(2).toString();
    k.seller.phone = q.value(3).toString();
    k.buyer.name = q.value(4).toString();
    k.buyer.phone = q.value(5).toString();
    for (int i = 0; i < 4; ++i)
        k.location[i] = q.value(6 + i).toString();
    k.jimok = q.value(10).toString();
    const auto area = [&q](int i) {
        return q.value(i).isNull() ? QString() : QString::number(q.value(i).toDouble(), 'g', 15);
    };
    k.areas[0] = area(11);
    k.areas[1] = area(12);
    k.gujo = q.value(13).toString();
    k.ydo = q.value(14).toString();
    k.areas[2] = area(15);
    k.areas[3] = area(16);
    for (int i = 0; i < 6; ++i)
        k.money[size_t(i)] = q.value(17 + i).toLongLong();
    for (int i = 0; i < 5; ++i)
        k.dates[size_t(i)] = ContractDate::parse(q.value(23 + i).toString());
    k.writeday = SqlStore::toDateTime(q.value(28));
    return k;
}

QString person(const QString& name, const QString& phone) {
    return phone.isEmpty() ? name : name + QLatin1Char('(') + phone + QLatin1Char(')');
}

QString manwon(qint64 v) {
    return formatAmount(v) + QStringLiteral("만원");
}

QString manwonOn(qint64 v, const ContractDate& date) {
    return date.isEmpty() ? manwon(v) : manwon(v) + QLatin1Char('(') + date.stored() + QLatin1Char(')');
}

QString land(const Contract& k) {
    return QStringLiteral("지목:") + k.jimok + QStringLiteral(", 면적: ") + k.areas[0] +
           QStringLiteral("㎡ (") + k.areas[1] + QStringLiteral("평)");
}

QString building(const Contract& k) {
    return QStringLiteral("구조:") + k.gujo + QStringLiteral(",용도:") + k.ydo + QStringLiteral(",평형:") +
           k.areas[2] + QStringLiteral("㎡ (") + k.areas[3] + QStringLiteral("평)");
}

QString deadlineText(const Contract& k, const QDate& today) {
    const std::optional<QDate> deadline = leaseReportDeadline(k);
    if (!deadline)
        return {};
    const QString date = deadline->toString(Qt::ISODate);
    const qint64 left = today.daysTo(*deadline);
    if (left < 0)
        return date + QStringLiteral(" (지남)");
    return date + QStringLiteral(" (D-%1)").arg(left);
}

QStringList saleHeader() {
    return {QStringLiteral("매도인"),    QStringLiteral("매수인"), QStringLiteral("소재지"),
            QStringLiteral("토지"),      QStringLiteral("건물"),   QStringLiteral("매매대금"),
            QStringLiteral("융자금"),    QStringLiteral("계약금"), QStringLiteral("1차중도금"),
            QStringLiteral("2차중도금"), QStringLiteral("잔금"),   QStringLiteral("인도일"),
            QStringLiteral("작성일")};
}

QStringList leaseHeader() {
    return {QStringLiteral("임대인"),   QStringLiteral("임차인"), QStringLiteral("소재지"),
            QStringLiteral("토지"),     QStringLiteral("건물"),   QStringLiteral("보증금"),
            QStringLiteral("월세"),     QStringLiteral("계약금"), QStringLiteral("중도금"),
            QStringLiteral("잔금"),     QStringLiteral("인도일"), QStringLiteral("만기일"),
            QStringLiteral("신고기한"), QStringLiteral("작성일")};
}

RegisterRow rowOf(const Contract& k, const QDate& today) {
    const QString written =
        k.writeday.isValid() ? k.writeday.toString(QStringLiteral("yyyy-MM-dd hh:mm")) : QString();
    RegisterRow row{k.number,
                    {person(k.seller.name, k.seller.phone), person(k.buyer.name, k.buyer.phone), k.address(),
                     land(k), building(k)}};
    if (!isLease(k.kind)) {
        using namespace sale;
        row.cells << manwon(k.money[Price]) << manwon(k.money[Loan]) << manwon(k.money[Deposit])
                  << manwonOn(k.money[Interim1], k.dates[Interim1Date])
                  << manwonOn(k.money[Interim2], k.dates[Interim2Date])
                  << manwonOn(k.money[Balance], k.dates[BalanceDate]) << k.dates[Handover].stored()
                  << written;
        return row;
    }
    using namespace lease;
    row.cells << manwon(k.money[Deposit])
              << (k.kind == ContractKind::MonthlyRent ? manwon(k.money[MonthlyRent]) : QString())
              << manwon(k.money[ContractDeposit]) << manwonOn(k.money[Interim], k.dates[InterimDate])
              << manwonOn(k.money[Balance], k.dates[BalanceDate]) << k.dates[Handover].stored()
              << k.dates[LeaseEnd].stored() << deadlineText(k, today) << written;
    return row;
}

} // namespace

std::optional<QDate> leaseReportDeadline(const Contract& k) {
    if (!isLease(k.kind))
        return std::nullopt;
    const bool reported =
        k.money[lease::Deposit] > kReportedDeposit ||
        (k.kind == ContractKind::MonthlyRent && k.money[lease::MonthlyRent] > kReportedRent);
    const QDate signedOn = k.dates[lease::ContractDay].date();
    if (!reported || !signedOn.isValid())
        return std::nullopt;
    return signedOn.addDays(kReportDays);
}

ContractRegister::ContractRegister(SqlStore& store, const Clock& clock)
    : m_store(store)
    , m_clock(clock) {}

ContractRegister::ContractRegister(Session& s)
    : ContractRegister(s.listingStore(), s.clock()) {}

RegisterPage ContractRegister::page(const QString& tab, int offset, int limit) {
    if (tab == registerTab::Receipts)
        return receipts(offset, limit);
    if (tab == registerTab::Forms)
        return forms(offset, limit);
    return contracts(tab, offset, limit);
}

RegisterPage ContractRegister::contracts(const QString& kind, int offset, int limit) {
    RegisterPage page;
    page.header = kind == registerTab::Sale ? saleHeader() : leaseHeader();
    page.total =
        m_store.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_moo_con WHERE ty=?"), {kind}, 0).toInt();
    QVariantList values{kind};
    const QString sql =
        QStringLiteral("SELECT %1 FROM mem_moo_con WHERE ty=? ORDER BY writeday DESC, table_idx DESC")
            .arg(kColumns) +
        SqlStore::limitSql(limit, offset, values);
    QSqlQuery q = m_store.query(sql, values);
    const QDate today = m_clock.today();
    while (q.next())
        page.rows << rowOf(contractOfRow(q), today);
    return page;
}

// The leases whose date in `column` lies between the two days, newest contract first, chosen
// and ordered by the database.
RegisterPage ContractRegister::leases(const QString& column, const QDate& from, const QDate& to) {
    fillLeaseDatesOnce();
    RegisterPage page;
    page.header = QStringList{QStringLiteral("종류")} + leaseHeader();
    // Only leases have these dates: the kind is not asked again, so that the date's index is the
    // one the database walks (the kind's would read every lease).
    QSqlQuery q = m_store.query(QStringLiteral("SELECT %1 FROM mem_moo_con WHERE %2 >= ? AND %2 <= ? "
                                               "ORDER BY writeday DESC, table_idx DESC")
                                    .arg(kColumns, column),
                                {m_store.toStored(from.startOfDay()), m_store.toStored(to.startOfDay())});
    const QDate today = m_clock.today();
    while (q.next()) {
        const Contract k = contractOfRow(q);
        RegisterRow row = rowOf(k, today);
        row.cells.prepend(k.kind == ContractKind::Jeonse ? QStringLiteral("전세") : QStringLiteral("월세"));
        page.rows << row;
    }
    page.total = int(page.rows.size());
    return page;
}

RegisterPage ContractRegister::reportsDue() {
    const QDate today = m_clock.today();
    return leases(QStringLiteral("report_date"), today.addDays(-kReportOverdueDays),
                  today.addDays(kReportWarningDays));
}

RegisterPage ContractRegister::leasesEnding() {
    const QDate today = m_clock.today();
    return leases(QStringLiteral("ymd4_date"), today, today.addDays(kLeaseEndDays));
}

// An office database of an earlier version has the lease dates' columns empty: they are filled
// from the form's texts once, in one transaction, and the settings remember it.
void ContractRegister::fillLeaseDatesOnce() {
    SettingsStore settings(m_store);
    if (settings.leaseDatesFilled())
        return;
    m_store.transact([&] {
        if (settings.leaseDatesFilled())
            return; // another desk did it meanwhile
        fillLeaseDates(m_store);
        settings.setLeaseDatesFilled();
    });
}

LeaseDates leaseDatesOf(const Contract& k, const SqlStore& store) {
    LeaseDates dates;
    if (!isLease(k.kind))
        return dates;
    const QDate end = k.dates[lease::LeaseEnd].date();
    if (end.isValid())
        dates.end = store.toStored(end.startOfDay());
    if (const std::optional<QDate> deadline = leaseReportDeadline(k))
        dates.reportBy = store.toStored(deadline->startOfDay());
    return dates;
}

void fillLeaseDates(SqlStore& store) {
    QList<std::pair<int, LeaseDates>> filled;
    QSqlQuery facts = store.query(QStringLiteral(
        "SELECT table_idx, ty, money1, money5, ymd4, ymd5 FROM mem_moo_con WHERE ty IN ('J','W')"));
    while (facts.next()) {
        Contract k;
        k.kind = contractKindOf(facts.value(1).toString());
        k.money[lease::Deposit] = facts.value(2).toLongLong();
        k.money[lease::MonthlyRent] = facts.value(3).toLongLong();
        k.dates[lease::LeaseEnd] = ContractDate::parse(facts.value(4).toString());
        k.dates[lease::ContractDay] = ContractDate::parse(facts.value(5).toString());
        filled.append({facts.value(0).toInt(), leaseDatesOf(k, store)});
    }
    facts.finish();
    for (const auto& [number, dates] : filled)
        store.execute(
            QStringLiteral("UPDATE mem_moo_con SET ymd4_date = ?, report_date = ? WHERE table_idx = ?"),
            {dates.end, dates.reportBy, number});
}

RegisterPage ContractRegister::receipts(int offset, int limit) {
    RegisterPage page;
    page.header = {QStringLiteral("영수증종류"), QStringLiteral("매수인"), QStringLiteral("금액"),
                   QStringLiteral("영수증내용"), QStringLiteral("발행일")};
    page.total = m_store.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_moo_rec"), {}, 0).toInt();
    QVariantList values;
    const QString sql =
        QStringLiteral("SELECT table_idx, `Option`, `Name`, money2, `Type`, today FROM mem_moo_rec "
                       "ORDER BY `Name`, `Type`, today DESC") +
        SqlStore::limitSql(limit, offset, values);
    QSqlQuery q = m_store.query(sql, values);
    while (q.next())
        page.rows << RegisterRow{
            q.value(0).toInt(),
            {q.value(1).toInt() == 0 ? QStringLiteral("부동산영수증") : QStringLiteral("일반영수증"),
             q.value(2).toString(), formatAmount(q.value(3).toLongLong()), q.value(4).toString(),
             q.value(5).toString().left(10)}};
    return page;
}

RegisterPage ContractRegister::forms(int offset, int limit) {
    RegisterPage page;
    page.header = {QStringLiteral("종목"), QStringLiteral("시도"), QStringLiteral("시군구"),
                   QStringLiteral("읍면동"), QStringLiteral("지번")};
    page.total = m_store.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_moo_mul"), {}, 0).toInt();
    QVariantList values;
    const QString sql = QStringLiteral("SELECT table_idx, tb, addr1, addr2, addr3, addr4 FROM mem_moo_mul "
                                       "ORDER BY addr1, addr2, addr3, addr4") +
                        SqlStore::limitSql(limit, offset, values);
    QSqlQuery q = m_store.query(sql, values);
    while (q.next())
        page.rows << RegisterRow{q.value(0).toInt(),
                                 {q.value(1).toString(), q.value(2).toString(), q.value(3).toString(),
                                  q.value(4).toString(), q.value(5).toString()}};
    return page;
}

void removeRegisterRows(Session& session, const QString& tab, const QList<int>& keys) {
    SqlStore& local = session.listingStore();
    if (tab == registerTab::Receipts)
        ReceiptStore(local).remove(keys);
    else if (tab == registerTab::Forms)
        ConfirmationFormStore(session).remove(keys);
    else
        ContractStore(local, session.clock()).remove(keys);
}

} // namespace teran
