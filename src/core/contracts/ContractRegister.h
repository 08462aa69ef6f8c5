#pragma once

#include "Contract.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

namespace teran {

class Clock;
class Session;
class SqlStore;

// A lease over 60 million won of deposit or 300,000 won of monthly rent must be reported within
// 30 days of the contract (임대차 신고); nullopt for a lease that need not be, a sale, or one
// without a contract date.
std::optional<QDate> leaseReportDeadline(const Contract& contract);

// The dates a lease is chosen by in the register, as `mem_moo_con` keeps them beside the form's
// texts: `ymd4_date` (the end) and `report_date` (the deadline); null where there is none.
struct LeaseDates {
    QVariant end;
    QVariant reportBy;
};
LeaseDates leaseDatesOf(const Contract& contract, const SqlStore& store);
// Fills both for every stored lease from the form's texts (an older office database).
void fillLeaseDates(SqlStore& store);

// The contract register's tabs, by the keys the tab bar carries.
namespace registerTab {
inline const QString Sale = QStringLiteral("M");
inline const QString Jeonse = QStringLiteral("J");
inline const QString MonthlyRent = QStringLiteral("W");
inline const QString Receipts = QStringLiteral("R");
inline const QString Forms = QStringLiteral("Mul");
} // namespace registerTab

struct RegisterRow {
    int key = 0; // `table_idx` of the contract, receipt or form
    QStringList cells;
};

struct RegisterPage {
    QStringList header; // after the check column "√"
    QList<RegisterRow> rows;
    int total = 0; // rows of the whole tab
};

// What the register lists: one page of a tab at a time, newest contracts first; amounts and
// dates formatted here. No resident number is ever listed.
class ContractRegister {
public:
    ContractRegister(SqlStore& store, const Clock& clock);
    // The session's: the office database.
    explicit ContractRegister(Session& session);

    RegisterPage page(const QString& tab, int offset, int limit);
    // Leases whose reporting deadline is at most a week ahead, or passed within the last 30 days.
    RegisterPage reportsDue();
    // Leases whose term ends within the next 90 days.
    RegisterPage leasesEnding();

    static constexpr int kReportWarningDays = 7;
    static constexpr int kReportOverdueDays = 30;
    static constexpr int kLeaseEndDays = 90;

private:
    RegisterPage contracts(const QString& kind, int offset, int limit);
    RegisterPage leases(const QString& column, const QDate& from, const QDate& to);
    void fillLeaseDatesOnce();
    RegisterPage receipts(int offset, int limit);
    RegisterPage forms(int offset, int limit);

    SqlStore& m_store;
    const Clock& m_clock;
};

// Deletes the checked rows of a register tab from where that tab keeps them: a confirmation form
// from the server's copy too, when the server is open. Throws StoreError.
void removeRegisterRows(Session& session, const QString& tab, const QList<int>& keys);

} // namespace teran
