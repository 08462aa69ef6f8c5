#pragma once

#include "core/contracts/ListingLedger.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;
class QTextEdit;

namespace teran {

class Session;

// The tenant table (`frmImchain`) or the loan table (`frmMoney`) of a stored listing: a grid
// edited in place, its totals, and their transfer into the registration window's amounts.
class frmLedger : public QDialog {
    Q_OBJECT
public:
    frmLedger(Session& session, LedgerKind kind, int listing, QWidget* parent = nullptr);

    LedgerKind kind() const { return m_kind; }
    QTableWidget* grid() const { return m_grid; }
    LedgerTable current() const;

    void cmdAdd_Click();
    void cmdDel_Click();
    void cmdjuk_Click();
    bool cmdSave_Click();
    void cmdPrint_Click();

Q_SIGNALS:
    // The totals for the registration window's amount boxes.
    void totalsApplied(const teran::LedgerTotals& totals);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void updateTotals();
    QString logLabel(const QString& routine) const;

    Session& m_session;
    const LedgerKind m_kind;
    const int m_listing;
    QTableWidget* m_grid = nullptr;
    QLabel* m_totals = nullptr;
    QLineEdit* m_title = nullptr;
    QTextEdit* m_special = nullptr;
    bool m_changed = false;
};

} // namespace teran
