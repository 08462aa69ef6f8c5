#include "frmLedger.h"

#include "ui/session/ReportPreview.h"

#include "ui/widgets/Named.h"

#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/NumericKeyCheck.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace teran {

namespace {

// Money cells take numbers only, as every amount box does.
class MoneyCellDelegate : public QStyledItemDelegate {
public:
    MoneyCellDelegate(Dialogs& dialogs, QObject* parent)
        : QStyledItemDelegate(parent)
        , m_dialogs(dialogs) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            NumericKeyCheck::attach(line, m_dialogs, false);
        return editor;
    }

private:
    Dialogs& m_dialogs;
};

} // namespace

frmLedger::frmLedger(Session& session, LedgerKind kind, int listing, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_kind(kind)
    , m_listing(listing) {
    const bool tenants = kind == LedgerKind::Tenants;
    setObjectName(tenants ? QStringLiteral("frmImchain") : QStringLiteral("frmMoney"));
    setWindowTitle(ledgerTitle(kind));
    setModal(true);
    auto* column = new QVBoxLayout(this);
    if (tenants) {
        m_title = new QLineEdit(this);
        m_title->setObjectName(QStringLiteral("title"));
        m_title->setPlaceholderText(QStringLiteral("보고서 제목"));
        m_special = new QTextEdit(this);
        m_special->setObjectName(QStringLiteral("special"));
        m_special->setAcceptRichText(false);
        m_special->setMaximumHeight(70);
        column->addWidget(m_title);
        column->addWidget(m_special);
    }
    const QStringList columns = ledgerColumns(kind);
    m_grid = new QTableWidget(0, int(columns.size()), this);
    m_grid->setObjectName(QStringLiteral("lvWork"));
    m_grid->setHorizontalHeaderLabels(columns);
    m_grid->verticalHeader()->setVisible(true); // the row numbers ("번호")
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* money = new MoneyCellDelegate(session.dialogs(), m_grid);
    for (int c = 0; c < columns.size(); ++c)
        if (isLedgerMoneyColumn(kind, c))
            m_grid->setItemDelegateForColumn(c, money);
    column->addWidget(m_grid, 1);
    m_totals = new QLabel(this);
    m_totals->setObjectName(QStringLiteral("lblimcha"));
    column->addWidget(m_totals);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char* name, const QString& caption) {
        return addButton(buttons, this, name, caption, EnterKey::Ignored);
    };
    connect(button("cmdAdd", QStringLiteral("추  가")), &QPushButton::clicked, this,
            &frmLedger::cmdAdd_Click);
    connect(button("cmdDel", QStringLiteral("삭  제")), &QPushButton::clicked, this,
            &frmLedger::cmdDel_Click);
    connect(button("cmdjuk", QStringLiteral("합계적용")), &QPushButton::clicked, this,
            &frmLedger::cmdjuk_Click);
    if (tenants)
        connect(button("cmdPrint", QStringLiteral("인  쇄")), &QPushButton::clicked, this,
                &frmLedger::cmdPrint_Click);
    buttons->addStretch();
    connect(button("cmdClose", QStringLiteral("닫  기")), &QPushButton::clicked, this, &QWidget::close);
    column->addLayout(buttons);
    connect(m_grid, &QTableWidget::cellChanged, this, [this] {
        m_changed = true;
        updateTotals();
    });
    if (m_title)
        connect(m_title, &QLineEdit::textEdited, this, [this] { m_changed = true; });
    if (m_special)
        connect(m_special, &QTextEdit::textChanged, this, [this] { m_changed = true; });
    resize(860, 460);
    load();
}

void frmLedger::load() {
    const auto done = attemptStore(m_session, logLabel(QStringLiteral("form_load")), [&] {
        const LedgerTable table = ListingLedgerStore(m_session).load(m_kind, m_listing);
        const QSignalBlocker quiet(m_grid);
        if (m_title) {
            m_title->setText(table.title);
            const QSignalBlocker quietNotes(m_special);
            m_special->setPlainText(table.special);
        }
        m_grid->setRowCount(int(table.rows.size()));
        for (int r = 0; r < table.rows.size(); ++r)
            for (int c = 0; c < m_grid->columnCount(); ++c)
                m_grid->setItem(r, c, new QTableWidgetItem(table.rows[r].value(c)));
    });
    if (!done) {
        m_session.dialogs().critical(done.failureText(), ledgerTitle(m_kind));
    }
    m_changed = false;
    updateTotals();
}

LedgerTable frmLedger::current() const {
    LedgerTable table;
    if (m_title) {
        table.title = m_title->text().trimmed();
        table.special = m_special->toPlainText();
    }
    for (int r = 0; r < m_grid->rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < m_grid->columnCount(); ++c)
            row << (m_grid->item(r, c) ? m_grid->item(r, c)->text().trimmed() : QString());
        table.rows << row;
    }
    return table;
}

void frmLedger::updateTotals() {
    m_totals->setText(ledgerTotalsText(m_kind, ledgerTotals(m_kind, current().rows)));
}

void frmLedger::cmdAdd_Click() {
    const int row = m_grid->rowCount();
    m_grid->insertRow(row);
    m_grid->setCurrentCell(row, 0);
    m_grid->editItem(m_grid->item(row, 0));
    m_changed = true;
}

void frmLedger::cmdDel_Click() {
    const int row = m_grid->currentRow();
    if (row < 0)
        return;
    m_grid->removeRow(row);
    m_changed = true;
    updateTotals();
}

void frmLedger::cmdjuk_Click() {
    Q_EMIT totalsApplied(ledgerTotals(m_kind, current().rows));
}

bool frmLedger::cmdSave_Click() {
    const auto done = attemptStore(m_session, logLabel(QStringLiteral("cmdSave_Click")),
                                   [&] { ListingLedgerStore(m_session).save(m_kind, m_listing, current()); });
    if (!done) {
        m_session.dialogs().critical(done.failureText(), ledgerTitle(m_kind));
        return false;
    }
    m_changed = false;
    return true;
}

void frmLedger::cmdPrint_Click() {
    if (!cmdSave_Click())
        return;
    ReportPreview::hand(m_session, tenantDocument(current(), m_session.state().AuthConfig), this);
}

void frmLedger::closeEvent(QCloseEvent* event) {
    // A table that cannot be saved stays open, so that nothing typed is lost.
    if (m_changed && !cmdSave_Click()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

QString frmLedger::logLabel(const QString& routine) const {
    const QString window =
        m_kind == LedgerKind::Tenants ? QStringLiteral("frmImchain ") : QStringLiteral("frmMoney ");
    return window + routine + QStringLiteral(" => ");
}

} // namespace teran
