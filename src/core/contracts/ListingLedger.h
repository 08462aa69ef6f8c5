#pragma once

#include "core/report/ReportDocument.h"
#include "core/session/SessionState.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace teran {

class Session;

class Clock;
class SqlStore;

// The two small tables a listing for sale carries: its tenants (임차인현황, `maemul_imchain`)
// and its loans (금융관계현황, `maemul_money`). Both are a grid of text cells in the order of
// their columns (after the row number), kept per listing.
enum class LedgerKind { Tenants, Loans };

struct LedgerTable {
    QString title;   // tenants only: the report's title
    QString special; // tenants only: its special notes
    QList<QStringList> rows;
};

// The grid's columns after "번호", in order.
QStringList ledgerColumns(LedgerKind kind);
QString ledgerTitle(LedgerKind kind); // "임차인현황", "금융관계현황"
// The cells that hold money (shown "#,##0").
bool isLedgerMoneyColumn(LedgerKind kind, int column);

// The totals written back into the registration window, whole 만원: tenants deposit, rent and
// management fee; loans the amount and the yearly interest (each row's amount × rate ÷ 100,
// rounded). A cell that is empty, "0" or not a number counts nothing.
struct LedgerTotals {
    qint64 deposit = 0, rent = 0, fee = 0; // tenants
    qint64 loan = 0, interest = 0;         // loans
};
LedgerTotals ledgerTotals(LedgerKind kind, const QList<QStringList>& rows);
QString ledgerTotalsText(LedgerKind kind, const LedgerTotals& totals); // the label under the grid
// Where 적용 puts the totals in the registration form: the tenants' deposits, rents and fees in
// money_mb, money_mw and money_g; the loans and their interest in money_y and money_yeja.
QList<std::pair<QString, qint64>> ledgerTotalsByColumn(LedgerKind kind, const LedgerTotals& totals);

class ListingLedgerStore {
public:
    ListingLedgerStore(SqlStore& store, const Clock& clock);
    // The session's: the office database.
    explicit ListingLedgerStore(Session& session);
    LedgerTable load(LedgerKind kind, int listing);
    // Replaces the listing's rows, numbered 1, 2, … in grid order (tenants keep their header
    // row 0 with the title and notes), in one transaction.
    void save(LedgerKind kind, int listing, const LedgerTable& table);

private:
    SqlStore& m_store;
    const Clock& m_clock;
};

// The printed tenant table of a listing.
report::Document tenantDocument(const LedgerTable& table, const OfficeDetails& officeDetails);

struct LedgerTexts {
    static QString saveFirst(LedgerKind kind); // "…을 등록하시려면 매물을 먼저 저장하셔야 합니다."
};

} // namespace teran
