#include "frmBuyerListings.h"

#include "PersonFields.h"
#include "core/listings/ListQuery.h"
#include "core/people/SamePhone.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreAttempt.h"
#include "frmSms.h"
#include "ui/session/OpenedWindow.h"
#include "ui/session/ReportPreview.h"
#include "ui/widgets/Named.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

enum Column { NumberColumn, ListingColumn, FitColumn, ReasonColumn, SentColumn };

const QString kLogCaption = QStringLiteral("맞는 매물 => ");

QStringList captions() {
    return {QStringLiteral("번호"), QStringLiteral("매물"), QStringLiteral("적합"), QStringLiteral("사유"),
            QStringLiteral("보냄")};
}

} // namespace

frmBuyerListings::frmBuyerListings(Session& session, int buyer, QWidget* parent)
    : QDialog(parent)
    , m_session(session) {
    setObjectName(QStringLiteral("frmBuyerListings"));
    setWindowTitle(QStringLiteral("맞는 매물"));
    resize(760, 480);
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_caption = named(new QLabel(this), "lblBuyer");
    top->addWidget(m_caption, 1);
    m_source = named(new QComboBox(this), "cboSource");
    m_source->addItem(QStringLiteral("내 매물"), int(ListKind::Own));
    m_source->addItem(QStringLiteral("공유매물"), int(ListKind::Shared));
    top->addWidget(m_source);
    m_tolerance = addToleranceBox(top, this);
    column->addLayout(top);
    m_grid = named(new QTreeWidget(this), "lvListings");
    m_grid->setRootIsDecorated(false);
    m_grid->setHeaderLabels(captions());
    column->addWidget(m_grid, 1);

    auto* buttons = new QHBoxLayout;
    m_prev = addButton(buttons, this, "cmdPrev", QStringLiteral("◀ 이전"), EnterKey::Ignored);
    m_pageLabel = named(new QLabel(this), "lblPage");
    buttons->addWidget(m_pageLabel);
    m_next = addButton(buttons, this, "cmdNext", QStringLiteral("다음 ▶"), EnterKey::Ignored);
    buttons->addStretch();
    QPushButton* print = addButton(buttons, this, "cmdPrint", QStringLiteral("인쇄"), EnterKey::Ignored);
    QPushButton* sms = addButton(buttons, this, "cmdSms", QStringLiteral("문자보내기"), EnterKey::Ignored);
    QPushButton* dismiss =
        addButton(buttons, this, "cmdDismiss", QStringLiteral("관심없음"), EnterKey::Ignored);
    QPushButton* close = addButton(buttons, this, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    column->addLayout(buttons);
    connect(m_prev, &QPushButton::clicked, this, [this] { showPage(m_page.page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { showPage(m_page.page + 1); });
    connect(print, &QPushButton::clicked, this, &frmBuyerListings::cmdPrint_Click);
    connect(sms, &QPushButton::clicked, this, &frmBuyerListings::cmdSms_Click);
    connect(dismiss, &QPushButton::clicked, this, &frmBuyerListings::cmdDismiss_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    attemptStore(m_session, kLogCaption, [&] {
        m_tolerance->setValue(SettingsStore::ofUser(m_session).matchTolerance());
        m_buyer = BuyerRegister(m_session).read(buyer);
    });
    if (m_buyer)
        m_caption->setText(m_buyer->contact.name + QStringLiteral(" : ") + wishText(*m_buyer));
    connect(m_tolerance, &QSpinBox::valueChanged, this, &frmBuyerListings::keepTolerance);
    connect(m_source, &QComboBox::currentIndexChanged, this,
            [this] { chooseList(ListKind(m_source->currentData().toInt())); });
    showPage(1);
}

void frmBuyerListings::chooseList(ListKind list) {
    m_list = list;
    const int index = m_source->findData(int(list));
    if (m_source->currentIndex() != index) {
        m_source->setCurrentIndex(index); // comes back here through the box's signal
        return;
    }
    showPage(1);
}

void frmBuyerListings::setTolerance(int percent) {
    m_tolerance->setValue(percent);
}

void frmBuyerListings::keepTolerance(int percent) {
    attemptStore(m_session, kLogCaption,
                 [&] { SettingsStore::ofUser(m_session).setMatchTolerance(percent); });
    showPage(1);
}

void frmBuyerListings::showPage(int page) {
    m_page = {};
    m_page.page = page;
    if (!m_buyer) {
        m_caption->setText(QStringLiteral("매수인을 찾을 수 없습니다."));
    } else {
        const auto done = attemptStore(m_session, kLogCaption, [&] {
            m_page = ListingsForBuyer(m_session).page(*m_buyer, m_list, page, kPageSize,
                                                      m_tolerance->value() / 100.0);
        });
        if (!done)
            m_page.ok = false;
    }
    fill();
}

void frmBuyerListings::fill() {
    m_grid->clear();
    for (const ListingFit& fit : m_page.rows) {
        auto* item = new QTreeWidgetItem(m_grid, {QString::number(fit.listing.key.number), fit.summary,
                                                  fitCaption(fit), fit.reasons.join(QStringLiteral(", ")),
                                                  fit.history.sentText()});
        item->setCheckState(NumberColumn, Qt::Unchecked);
    }
    for (int c = NumberColumn; c < SentColumn; ++c)
        m_grid->resizeColumnToContents(c);
    const bool shared = isServerList(m_list);
    m_pageLabel->setText(!m_page.ok
                             ? (shared ? QStringLiteral("공유매물은 인터넷 접속 중에만 볼 수 있습니다.")
                                       : QStringLiteral("매물을 읽지 못했습니다."))
                             : QStringLiteral("%1 / %2  ").arg(m_page.page).arg(m_page.pageCount) +
                                   foundText(m_page.total));
    m_prev->setEnabled(m_page.page > 1);
    m_next->setEnabled(m_page.page < m_page.pageCount);
}

void frmBuyerListings::tick(int row, bool ticked) {
    if (QTreeWidgetItem* item = m_grid->topLevelItem(row))
        item->setCheckState(NumberColumn, ticked ? Qt::Checked : Qt::Unchecked);
}

QList<ListingFit> frmBuyerListings::ticked() const {
    QList<ListingFit> fits;
    for (int i = 0; i < m_grid->topLevelItemCount() && i < m_page.rows.size(); ++i)
        if (m_grid->topLevelItem(i)->checkState(NumberColumn) == Qt::Checked)
            fits << m_page.rows.at(i);
    return fits;
}

void frmBuyerListings::markSent(const QList<ListingFit>& fits, SentBy by) {
    if (!m_buyer || fits.isEmpty())
        return;
    QList<MatchPair> pairs;
    for (const ListingFit& fit : fits)
        pairs << pairsWith({m_buyer->number}, fit.listing);
    attemptStore(m_session, kLogCaption, [&] { MatchHistory(m_session).markSent(pairs, by); });
    showPage(m_page.page);
}

// The ticked listings on one page for the buyer, marked sent on paper.
void frmBuyerListings::cmdPrint_Click() {
    const QList<ListingFit> fits = ticked();
    if (fits.isEmpty() || !m_buyer) {
        m_session.dialogs().inform(
            QStringLiteral("인쇄할 내용이 없습니다.\r\n\r\n인쇄할 목록에 '√'표시를 해주시기바랍니다."),
            QStringLiteral("인쇄하기"));
        return;
    }
    ReportPreview::hand(m_session, listingsForBuyerReport(*m_buyer, fits), this);
    markSent(fits, SentBy::Print);
}

// The ticked listings that one message holds go to the buyer's mobile; those delivered are
// marked sent.
void frmBuyerListings::cmdSms_Click() {
    const QList<ListingFit> fits = ticked();
    const QString mobile = m_buyer ? phoneDigits(m_buyer->contact.hantel) : QString();
    if (fits.isEmpty() || mobile.isEmpty()) {
        m_session.dialogs().inform(fits.isEmpty() ? QStringLiteral("문자로 보낼 매물을 선택해 주세요.")
                                                  : QStringLiteral("매수인의 핸드폰 번호가 없습니다."),
                                   windowTitle());
        return;
    }
    QStringList summaries;
    for (const ListingFit& fit : fits)
        summaries << fit.summary;
    const ListingsMessage message = messageOfListings(summaries);
    QList<ListingFit> carried;
    for (int i : message.included)
        carried << fits.at(i);
    auto* sms = new frmSms(m_session, this);
    sms->setPerson(m_buyer->contact.name, mobile);
    sms->setMessage(message.text);
    sms->setDeliveredHandler([this, carried](const QStringList&) { markSent(carried, SentBy::Sms); });
    showOpenedWindow(m_session.outlets(), sms);
}

// 관심없음: the listings the buyer does not want leave his matches for good, once he (through
// the user) says so; those ticked, like print and SMS take them, or else the current one.
void frmBuyerListings::cmdDismiss_Click() {
    QList<ListingFit> fits = ticked();
    const int row = m_grid->currentItem() ? m_grid->indexOfTopLevelItem(m_grid->currentItem()) : -1;
    if (fits.isEmpty() && row >= 0 && row < m_page.rows.size())
        fits << m_page.rows.at(row);
    if (fits.isEmpty() || !m_buyer) {
        m_session.dialogs().inform(QStringLiteral("관심없는 매물을 선택해 주세요."), windowTitle());
        return;
    }
    if (!m_session.dialogs().askYesNoCarefully(dismissQuestion(m_buyer->contact.name, int(fits.size())),
                                               dismissTitle()))
        return;
    QList<MatchPair> pairs;
    for (const ListingFit& fit : fits)
        pairs << pairsWith({m_buyer->number}, fit.listing);
    attemptStore(m_session, kLogCaption, [&] { MatchHistory(m_session).dismiss(pairs); });
    showPage(m_page.page);
}

} // namespace teran
