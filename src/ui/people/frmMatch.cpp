#include "frmMatch.h"

#include "frmSms.h"
#include "people/SamePhone.h"
#include "session/ListingRepository.h"
#include "session/Named.h"
#include "session/OpenedWindow.h"
#include "session/Session.h"
#include "session/StoreAttempt.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

frmMatch::frmMatch(Session& session, int listing, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_listing(listing) {
    setObjectName(QStringLiteral("frmMatch"));
    setWindowTitle(QStringLiteral("맞는 매수인"));
    resize(640, 420);
    auto* column = new QVBoxLayout(this);
    m_list = named(new QTreeWidget(this), "lvMatch");
    m_list->setRootIsDecorated(false);
    m_list->setHeaderLabels(
        {QStringLiteral("의뢰자"), QStringLiteral("핸드폰"), QStringLiteral("적합"), QStringLiteral("사유")});
    column->addWidget(m_list, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* sms = addButton(buttons, this, "cmdSms", QStringLiteral("문자보내기"), EnterKey::Ignored);
    buttons->addStretch();
    QPushButton* close = addButton(buttons, this, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    column->addLayout(buttons);
    connect(sms, &QPushButton::clicked, this, &frmMatch::cmdSms_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    fill();
}

void frmMatch::fill() {
    attemptStore(m_session, QStringLiteral("맞는 매수인 => "), [&] {
        const std::optional<ListingRow> row = readLocal(m_session, m_listing);
        if (!row)
            return;
        m_fits = buyersForListing(m_session, matchedListing(*row));
        m_summary = listingSummary(*row);
    });
    m_list->clear();
    for (const BuyerFit& fit : m_fits) {
        auto* item = new QTreeWidgetItem(m_list, {fit.name, fit.mobile,
                                                  fit.exact ? QStringLiteral("일치") : QStringLiteral("근접"),
                                                  fit.reasons.join(QStringLiteral(", "))});
        item->setCheckState(0, fit.exact ? Qt::Checked : Qt::Unchecked);
    }
}

// The ticked buyers with a mobile number get the listing's summary, through the SMS window.
void frmMatch::cmdSms_Click() {
    QStringList numbers;
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_list->topLevelItem(i);
        const QString digits = phoneDigits(item->text(1));
        if (item->checkState(0) == Qt::Checked && !digits.isEmpty())
            numbers << digits;
    }
    if (numbers.isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("문자를 보낼 매수인을 선택해 주세요."), windowTitle());
        return;
    }
    auto* sms = new frmSms(m_session, this);
    sms->setGroup(numbers);
    sms->setMessage(m_summary);
    showOpenedWindow(m_session.outlets(), sms);
}

} // namespace teran
