#include "frmMaesu.h"

#include "frmBuyerListings.h"

#include "BuyerPanel.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "core/session/WorkNotes.h"
#include "frmMaesuin.h"
#include "ui/session/OpenedWindow.h"
#include "ui/widgets/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace teran {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

PersonWindowSetup buyerSetup() {
    return {QStringLiteral("frmMaesu"),
            QStringLiteral("매수자관리"),
            QStringLiteral("tabMaesu"),
            LayoutKind::Maesu,
            NoteKind::Buyer,
            QStringLiteral("* 매수인진행현황 및 관리자 메모 "),
            QStringLiteral("매수인 Form_Resize  => "),
            QStringLiteral("매수인관리 (총 "),
            QStringLiteral("매수인관리 (검색결과 "),
            BuyerRegister::listCaptions(),
            3,
            kCrLf + QStringLiteral("삭제를 하시면 관련된 작업내용도 같이 삭제됩니다.")};
}

} // namespace

frmMaesu::frmMaesu(Session& session, QWidget* parent)
    : PersonWindow(session, buyerSetup(), parent)
    , m_register(session) {
    auto* move = named(new QPushButton(QStringLiteral("고객으로 이동"), this), "cmdMove");
    move->setAutoDefault(false);
    connect(move, &QPushButton::clicked, this, &frmMaesu::cmdMove_Click);
    auto* listings = named(new QPushButton(QStringLiteral("맞는 매물"), this), "cmdListings");
    listings->setAutoDefault(false);
    connect(listings, &QPushButton::clicked, this, &frmMaesu::cmdListings_Click);
    m_panel = new BuyerPanel(session, this);
    build(m_panel, {move, listings});
    // A buyer double-clicked opens in the entry window with his notes beside him.
    auto* list = findChild<QTreeWidget*>(QStringLiteral("lvMy"));
    connect(list, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        auto* entry = new frmMaesuin(m_session, item->data(0, Qt::UserRole).toInt(), this);
        connect(entry, &frmMaesuin::buyersChanged, this, &frmMaesu::reloadGroups);
        showOpenedWindow(m_session.outlets(), entry);
    });
}

BuyerFilter frmMaesu::filter(const QString& tab, bool search) const {
    return {tab, search ? std::optional<BuyerSearch>(m_search) : std::nullopt};
}

QStringList frmMaesu::groups() {
    return m_register.groups();
}

void frmMaesu::offerGroups(const QStringList& groups) {
    m_panel->offerGroups(groups);
}

bool frmMaesu::showPerson(int number) {
    const std::optional<Buyer> buyer = m_register.read(number);
    if (buyer)
        m_panel->showBuyer(*buyer);
    return buyer.has_value();
}

void frmMaesu::clearPanel() {
    m_panel->clear();
}

void frmMaesu::takeSearch() {
    m_search = m_panel->search();
}

int frmMaesu::count(const QString& tab, bool search) {
    return m_register.count(filter(tab, search));
}

QList<PersonRow> frmMaesu::rows(const QString& tab, bool search, int limit, int offset) {
    QList<PersonRow> list;
    for (const Buyer& b : m_register.list(filter(tab, search), limit, offset))
        list << PersonRow{b.number, BuyerRegister::cellsOf(b)};
    return list;
}

PersonSaveResult frmMaesu::savePanel(int number) {
    Buyer b = m_panel->buyer();
    b.number = number;
    return m_register.save({b, m_panel->privateTicked(), false, {}, {}});
}

void frmMaesu::remove(int number) {
    m_register.remove(number);
}

QString frmMaesu::panelName() const {
    return m_panel->name();
}

QString frmMaesu::panelMobile() const {
    return m_panel->mobile();
}

void frmMaesu::focusName() {
    m_panel->focusName();
}

// 맞는 매물: the listings that fit the buyer shown.
void frmMaesu::cmdListings_Click() {
    const int number = currentNumber();
    if (number <= 0) {
        m_session.dialogs().inform(QStringLiteral("매수인을 선택해 주세요."), setup().title);
        return;
    }
    showOpenedWindow(m_session.outlets(), new frmBuyerListings(m_session, number, this));
}

// 고객으로 이동: the buyer is copied to the customer list with his notes; then the user says
// whether he leaves the buyers.
bool frmMaesu::cmdMove_Click() {
    const int number = currentNumber();
    if (number <= 0)
        return false;
    Dialogs& dialogs = m_session.dialogs();
    const QString title = QStringLiteral("이동");
    if (!dialogs.askYesNo(BuyerRegister::moveQuestion(), title))
        return false;
    const QString name = panelName();
    bool known = false;
    attemptStore(m_session, setup().logCaption, [&] { known = m_register.customerNamed(name); });
    if (known && !dialogs.askYesNo(QStringLiteral("[") + name + QStringLiteral("]님께서는 고객관리목록에 ") +
                                       kCrLf + kCrLf + QStringLiteral("이미 존재하는 고객이십니다.") + kCrLf +
                                       kCrLf + QStringLiteral(" 추가로 등록하시겠습니까 ?"),
                                   QStringLiteral("☞ 중복등록확인")))
        return false;
    const auto moved = attemptStore(m_session, setup().logCaption + QStringLiteral("cmdMove "),
                                    [&] { m_register.moveToCustomers(number); });
    if (!moved) {
        showStoreFailure(m_session, *moved.failure(), StoreKind::Listing);
        return false;
    }
    if (dialogs.askYesNo(QStringLiteral("고객관리 목록으로 이동하였습니다.") + kCrLf + kCrLf +
                             QStringLiteral("매수인 목록에서 삭제하시겠습니까?"),
                         title)) {
        const auto removed = attemptStore(m_session, setup().logCaption + QStringLiteral("cmdMove "),
                                          [&] { m_register.remove(number); });
        if (!removed) {
            showStoreFailure(m_session, *removed.failure(), StoreKind::Listing);
            return true;
        }
        cmdNew_Click();
        reloadGroups();
    }
    return true;
}

} // namespace teran
