#include "frmMatch.h"

#include "PersonFields.h"
#include "core/people/SamePhone.h"
#include "core/session/Session.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreAttempt.h"
#include "frmSms.h"
#include "ui/session/OpenedWindow.h"
#include "ui/widgets/Named.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

enum Column { NameColumn, MobileColumn, FitColumn, ReasonColumn, SentColumn };

} // namespace

frmMatch::frmMatch(Session& session, int listing, bool shared, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_listing(listing)
    , m_shared(shared) {
    setObjectName(QStringLiteral("frmMatch"));
    setWindowTitle(QStringLiteral("맞는 매수인"));
    resize(700, 440);
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    m_caption = named(new QLabel(this), "lblListing");
    top->addWidget(m_caption, 1);
    m_tolerance = addToleranceBox(top, this);
    column->addLayout(top);
    m_list = named(new QTreeWidget(this), "lvMatch");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels({QStringLiteral("의뢰자"), QStringLiteral("핸드폰"), QStringLiteral("적합"),
                             QStringLiteral("사유"), QStringLiteral("보냄")});
    column->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* sms = addButton(buttons, this, "cmdSms", QStringLiteral("문자보내기"), EnterKey::Ignored);
    QPushButton* dismiss =
        addButton(buttons, this, "cmdDismiss", QStringLiteral("관심없음"), EnterKey::Ignored);
    buttons->addStretch();
    QPushButton* close = addButton(buttons, this, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    column->addLayout(buttons);
    connect(sms, &QPushButton::clicked, this, &frmMatch::cmdSms_Click);
    connect(dismiss, &QPushButton::clicked, this, &frmMatch::cmdDismiss_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    attemptStore(m_session, QStringLiteral("맞는 매수인 => "), [&] {
        m_tolerance->setValue(SettingsStore::ofUser(m_session).matchTolerance());
        m_target = m_shared ? sharedMatchTarget(m_session, m_listing) : ownMatchTarget(m_session, m_listing);
    });
    connect(m_tolerance, &QSpinBox::valueChanged, this, &frmMatch::keepTolerance);
    fill();
}

void frmMatch::setTolerance(int percent) {
    m_tolerance->setValue(percent);
}

void frmMatch::keepTolerance(int percent) {
    attemptStore(m_session, QStringLiteral("맞는 매수인 => "),
                 [&] { SettingsStore::ofUser(m_session).setMatchTolerance(percent); });
    fill();
}

void frmMatch::fill() {
    m_fits.clear();
    if (m_target)
        attemptStore(m_session, QStringLiteral("맞는 매수인 => "), [&] {
            m_fits = buyersForListing(m_session, m_target->listing, m_tolerance->value() / 100.0);
        });
    m_caption->setText(m_target ? m_target->summary + QStringLiteral("  ·  ") + fittingBuyersText(fitCount())
                                : QStringLiteral("매물을 찾을 수 없습니다."));
    m_list->clear();
    for (const BuyerFit& fit : m_fits) {
        auto* item =
            new QTreeWidgetItem(m_list, {fit.name, fit.mobile, fitCaption(fit),
                                         fit.reasons.join(QStringLiteral(", ")), fit.history.sentText()});
        item->setData(NameColumn, Qt::UserRole, fit.buyer);
        // What was sent at this price is not offered again at once.
        const bool offer = fit.exact && fit.history.mark != MatchMark::Sent;
        item->setCheckState(NameColumn, offer ? Qt::Checked : Qt::Unchecked);
    }
    for (int c = NameColumn; c < SentColumn; ++c)
        m_list->resizeColumnToContents(c);
}

// The ticked buyers with a mobile number get the listing's summary, through the SMS window;
// those it reached are marked sent.
void frmMatch::cmdSms_Click() {
    QStringList numbers;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        const QString digits = phoneDigits(item->text(MobileColumn));
        if (item->checkState(NameColumn) == Qt::Checked && !digits.isEmpty())
            numbers << digits;
    }
    if (numbers.isEmpty() || !m_target) {
        m_session.dialogs().inform(QStringLiteral("문자를 보낼 매수인을 선택해 주세요."), windowTitle());
        return;
    }
    auto* sms = new frmSms(m_session, this);
    sms->setGroup(numbers);
    sms->setMessage(m_target->summary);
    sms->setDeliveredHandler([this](const QStringList& delivered) { markSent(delivered); });
    showOpenedWindow(m_session.outlets(), sms);
}

void frmMatch::markSent(const QStringList& deliveredNumbers) {
    QList<int> buyers;
    for (const BuyerFit& fit : m_fits)
        if (deliveredNumbers.contains(phoneDigits(fit.mobile)))
            buyers << fit.buyer;
    if (buyers.isEmpty() || !m_target)
        return;
    attemptStore(m_session, QStringLiteral("맞는 매수인 => "), [&] {
        MatchHistory(m_session).markSent(pairsWith(buyers, m_target->listing), SentBy::Sms);
    });
    fill();
}

// 관심없음: the current buyer does not want this listing.
void frmMatch::cmdDismiss_Click() {
    const QTreeWidgetItem* item = m_list->currentItem();
    if (!item || !m_target) {
        m_session.dialogs().inform(QStringLiteral("관심없는 매수인을 선택해 주세요."), windowTitle());
        return;
    }
    // The buyer loses this one listing for good: asked first, with 아니오 the safe answer.
    if (!m_session.dialogs().askYesNoCarefully(dismissQuestion(item->text(NameColumn), 1), dismissTitle()))
        return;
    const int buyer = item->data(NameColumn, Qt::UserRole).toInt();
    attemptStore(m_session, QStringLiteral("맞는 매수인 => "),
                 [&] { MatchHistory(m_session).dismiss(pairsWith({buyer}, m_target->listing)); });
    fill();
}

} // namespace teran
