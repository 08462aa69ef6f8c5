#include "frmGaeyak.h"

#include "ui/session/OpenedWindow.h"

#include "ui/widgets/Named.h"

#include "core/contracts/ConfirmationForm.h"
#include "core/contracts/ContractRegister.h"
#include "core/contracts/ContractStore.h"
#include "core/contracts/Receipt.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "frmGaeyakMk.h"
#include "frmGaeyakMul.h"
#include "frmGaeyakRec.h"
#include "ui/session/OpenedWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

const QList<std::pair<QString, QString>>& tabs() {
    static const QList<std::pair<QString, QString>> list{
        {registerTab::Sale, QStringLiteral("매매계약서")},
        {registerTab::Jeonse, QStringLiteral("전세계약서")},
        {registerTab::MonthlyRent, QStringLiteral("월세계약서")},
        {registerTab::Receipts, QStringLiteral("영수증")},
        {registerTab::Forms, QStringLiteral("물건확인설명서")},
        {frmGaeyak::reportsTab(), QStringLiteral("임대차 신고기한")},
        {frmGaeyak::endingTab(), QStringLiteral("만기 90일 이내")}};
    return list;
}

bool isContractTab(const QString& key) {
    return key == registerTab::Sale || key == registerTab::Jeonse || key == registerTab::MonthlyRent;
}

} // namespace

frmGaeyak::frmGaeyak(Session& session, QString tb, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_tb(std::move(tb)) {
    setObjectName(QStringLiteral("frmGaeyak"));
    setWindowTitle(QStringLiteral("계약서관리"));
    auto* column = new QVBoxLayout(this);
    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("tabGaeyak"));
    for (const auto& [key, caption] : tabs())
        m_tabs->setTabData(m_tabs->addTab(caption), key);
    column->addWidget(m_tabs);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lvGaeyak"));
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    m_list->header()->setSectionsClickable(true);
    column->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("lblCount"));
    buttons->addWidget(m_count);
    m_more = new QPushButton(QStringLiteral("더 보기"), this);
    m_more->setObjectName(QStringLiteral("cmdMore"));
    buttons->addWidget(m_more);
    buttons->addStretch();
    const auto button = [this, buttons](const char* name, const QString& caption) {
        return addButton(buttons, this, name, caption);
    };
    connect(button("cmdGaeyak", QStringLiteral("계약서작성")), &QPushButton::clicked, this,
            &frmGaeyak::cmdGaeyak_Click);
    connect(button("cmdMul", QStringLiteral("물건확인설명서")), &QPushButton::clicked, this,
            &frmGaeyak::cmdMul_Click);
    connect(button("cmdDel", QStringLiteral("선택삭제")), &QPushButton::clicked, this,
            &frmGaeyak::cmdDel_Click);
    connect(button("cmdClose", QStringLiteral("닫  기")), &QPushButton::clicked, this, &QWidget::close);
    column->addLayout(buttons);
    connect(m_tabs, &QTabBar::currentChanged, this, &frmGaeyak::reload);
    connect(m_more, &QPushButton::clicked, this, &frmGaeyak::loadMore);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &frmGaeyak::lvGaeyak_DblClick);
    connect(m_list->header(), &QHeaderView::sectionClicked, this, &frmGaeyak::columnClicked);
    resize(1100, 640);
    reload();
}

QString frmGaeyak::currentTab() const {
    return m_tabs->tabData(m_tabs->currentIndex()).toString();
}

void frmGaeyak::selectTab(const QString& key) {
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->tabData(i).toString() == key)
            m_tabs->setCurrentIndex(i);
}

void frmGaeyak::reload() {
    m_list->clear();
    m_loaded = 0;
    m_total = 0;
    loadMore();
}

void frmGaeyak::loadMore() {
    const QString tab = currentTab();
    const auto done = attemptStore(m_session, logLabel(QStringLiteral("tabGaeyak_Click")), [&] {
        ContractRegister reg(m_session);
        RegisterPage page;
        if (tab == reportsTab())
            page = reg.reportsDue();
        else if (tab == endingTab())
            page = reg.leasesEnding();
        else
            page = reg.page(tab, m_loaded, kPageRows);
        if (m_loaded == 0) {
            m_list->setSortingEnabled(false);
            m_list->setHeaderLabels(QStringList{QStringLiteral("√")} + page.header);
            m_list->header()->resizeSection(0, 32);
        }
        QList<QTreeWidgetItem*> items;
        for (const RegisterRow& row : page.rows) {
            auto* item = new QTreeWidgetItem(QStringList{QString()} + row.cells);
            item->setData(0, Qt::UserRole, row.key);
            item->setCheckState(0, Qt::Unchecked);
            items << item;
        }
        m_list->addTopLevelItems(items);
        m_loaded += int(page.rows.size());
        m_total = page.total;
    });
    if (!done) {
        m_session.dialogs().critical(done.failureText());
    }
    m_count->setText(QStringLiteral("%1건 중 %2건").arg(m_total).arg(m_loaded));
    m_more->setVisible(m_loaded < m_total);
}

void frmGaeyak::columnClicked(int column) {
    if (column == 0) {
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            m_list->topLevelItem(i)->setCheckState(0, m_checkAll ? Qt::Checked : Qt::Unchecked);
        m_checkAll = !m_checkAll;
        return;
    }
    const Qt::SortOrder order =
        m_list->sortColumn() == column && m_list->header()->sortIndicatorOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    m_list->sortItems(column, order);
    m_list->header()->setSortIndicatorShown(true);
    m_list->header()->setSortIndicator(column, order);
}

void frmGaeyak::cmdGaeyak_Click() {
    hand(new frmGaeyakMk(m_session, ContractRequest{false, 0, 0, ContractKind::Sale, m_tb}));
}

void frmGaeyak::cmdMul_Click() {
    hand(new frmGaeyakMul(m_session));
}

void frmGaeyak::lvGaeyak_DblClick(QTreeWidgetItem* item) {
    if (!item)
        return;
    const int key = item->data(0, Qt::UserRole).toInt();
    const QString tab = currentTab();
    if (tab == registerTab::Receipts) {
        auto* receipt = new frmGaeyakRec(m_session);
        receipt->loadReceipt(key);
        hand(receipt);
        return;
    }
    if (tab == registerTab::Forms) {
        auto* form = new frmGaeyakMul(m_session);
        form->loadForm(key);
        hand(form);
        return;
    }
    ContractKind kind = contractKindOf(tab);
    if (!isContractTab(tab)) // the lists of leases: the kind is the row's own
        kind = item->text(1) == QStringLiteral("월세") ? ContractKind::MonthlyRent : ContractKind::Jeonse;
    hand(new frmGaeyakMk(m_session, ContractRequest{true, key, 0, kind, m_tb}));
}

void frmGaeyak::cmdDel_Click() {
    if (m_list->topLevelItemCount() == 0) {
        m_session.dialogs().inform(QStringLiteral("선택된 매물이 없습니다."), QStringLiteral("확인"));
        return;
    }
    QList<int> keys;
    QList<QTreeWidgetItem*> checked;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i)
        if (QTreeWidgetItem* item = m_list->topLevelItem(i); item->checkState(0) == Qt::Checked) {
            keys << item->data(0, Qt::UserRole).toInt();
            checked << item;
        }
    if (keys.isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("선택된 항목이 없습니다."), QStringLiteral("삭제"));
        return;
    }
    if (!m_session.dialogs().askYesNo(QStringLiteral("선택된 항목을 삭제합니다.\r\n\r\n실행 하시겠습니까 ?"),
                                      QStringLiteral("선택삭제")))
        return;
    const QString tab = currentTab();
    const auto done = attemptStore(m_session, logLabel(QStringLiteral("cmdDel_Click")),
                                   [&] { removeRegisterRows(m_session, tab, keys); });
    if (!done) {
        m_session.dialogs().critical(done.failureText(), QStringLiteral("삭제"));
        return;
    }
    qDeleteAll(checked);
    m_loaded -= int(checked.size());
    m_total -= int(checked.size());
    m_count->setText(QStringLiteral("%1건 중 %2건").arg(m_total).arg(m_loaded));
    m_session.dialogs().inform(QStringLiteral("삭제되었습니다."), QStringLiteral("삭제확인"));
}

void frmGaeyak::hand(QWidget* window) {
    // The register shows what was saved or deleted in the window once it closes.
    connect(window, &QObject::destroyed, this, &frmGaeyak::reload);
    showOpenedWindow(m_session.outlets(), window);
}

QString frmGaeyak::logLabel(const QString& routine) const {
    return QStringLiteral("계약서관리 ") + routine + QStringLiteral(" => ");
}

} // namespace teran
