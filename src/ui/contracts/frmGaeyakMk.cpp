#include "frmGaeyakMk.h"

#include "ui/session/OpenedWindow.h"
#include "ui/session/ReportPreview.h"

#include "ui/session/EditGuard.h"

#include "core/listings/ListCellFormat.h"

#include "ContractPanel.h"
#include "core/contracts/BrokerageFee.h"
#include "core/contracts/ContractPage.h"
#include "core/contracts/ContractStore.h"
#include "core/contracts/Receipt.h"
#include "core/contracts/ResidentNumber.h"
#include "core/listing/ListingRepository.h"
#include "core/session/Session.h"
#include "core/session/SessionListings.h"
#include "core/session/StoreAttempt.h"
#include "frmGaeyakMul.h"
#include "frmGaeyakRec.h"
#include "ui/session/OpenedWindow.h"
#include "ui/widgets/WindowAddressTarget.h"
#include "ui/widgets/frmAddr.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace teran {

namespace {

const QString kSaveTitle = QStringLiteral("계약서 등록");

QRadioButton* radio(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

} // namespace

frmGaeyakMk::frmGaeyakMk(Session& session, ContractRequest request, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session) {
    setObjectName(QStringLiteral("frmGaeyakMk"));
    setWindowTitle(QStringLiteral("계약서작성"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* column = new QVBoxLayout(this);
    auto* choices = new QHBoxLayout;
    m_kinds = new QButtonGroup(this);
    m_kinds->addButton(radio(QStringLiteral("optGaeyak_0"), QStringLiteral("매매"), this), 0);
    m_kinds->addButton(radio(QStringLiteral("optGaeyak_1"), QStringLiteral("전세"), this), 1);
    m_kinds->addButton(radio(QStringLiteral("optGaeyak_2"), QStringLiteral("월세"), this), 2);
    const QStringList codes{QStringLiteral("M"), QStringLiteral("J"), QStringLiteral("W")};
    for (int i = 0; i < 3; ++i) {
        m_kinds->button(i)->setProperty("Tag", codes[i]);
        choices->addWidget(m_kinds->button(i));
    }
    choices->addSpacing(24);
    m_notations = new QButtonGroup(this);
    const QStringList notations{QStringLiteral("한자"), QStringLiteral("한글"), QStringLiteral("숫자")};
    for (int i = 0; i < 3; ++i) {
        m_notations->addButton(radio(QStringLiteral("optChange_%1").arg(i), notations[i], this), i);
        choices->addWidget(m_notations->button(i));
    }
    m_lblTy = new QLabel(this);
    m_lblTy->setObjectName(QStringLiteral("lblTy"));
    m_lblTy->hide();
    choices->addStretch();
    column->addLayout(choices);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Jlbltitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(QStringLiteral("font-size: 16pt; font-weight: bold;"));
    column->addWidget(m_title);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("picScroll"));
    scroll->setWidgetResizable(true);
    auto* main = new QWidget(scroll);
    main->setObjectName(QStringLiteral("picMain"));
    auto* panels = new QVBoxLayout(main);
    m_sale = new ContractPanel(session, false, main);
    m_lease = new ContractPanel(session, true, main);
    panels->addWidget(m_sale);
    panels->addWidget(m_lease);
    scroll->setWidget(main);
    column->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [this, buttons](const QString& name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        buttons->addWidget(b);
        return b;
    };
    buttons->addStretch();
    connect(button(QStringLiteral("cmdGyakSave"), QStringLiteral("저  장")), &QPushButton::clicked, this,
            &frmGaeyakMk::cmdGyakSave_Click);
    connect(button(QStringLiteral("cmdGyakPrint"), QStringLiteral("인  쇄")), &QPushButton::clicked, this,
            &frmGaeyakMk::cmdGyakPrint_Click);
    connect(button(QStringLiteral("cmdMul"), QStringLiteral("물건확인설명서")), &QPushButton::clicked, this,
            &frmGaeyakMk::cmdMul_Click);
    connect(button(QStringLiteral("cmdClose"), QStringLiteral("닫  기")), &QPushButton::clicked, this,
            &QWidget::close);
    column->addLayout(buttons);

    for (ContractPanel* p : {m_sale, m_lease}) {
        connect(p, &ContractPanel::addressRequested, this, &frmGaeyakMk::pickAddress);
        connect(p, &ContractPanel::receiptRequested, this, &frmGaeyakMk::FncGaeyakRec);
        connect(p, &ContractPanel::redisplayRequested, this, &frmGaeyakMk::redisplay);
    }
    connect(m_kinds, &QButtonGroup::idClicked, this, [this](int id) { selectKind(ContractKind(id)); });
    connect(m_notations, &QButtonGroup::idClicked, this, &frmGaeyakMk::redisplay);
    resize(980, 760);
    m_guard = std::make_unique<EditGuard>(m_session.dialogs(), QStringLiteral("계약서작성"), this,
                                          [this] { return cmdGyakSave_Click(); });
    open(request);
}

frmGaeyakMk::~frmGaeyakMk() = default;

void frmGaeyakMk::closeEvent(QCloseEvent* event) {
    if (m_guard->allowLeave())
        event->accept();
    else
        event->ignore();
}

void frmGaeyakMk::open(const ContractRequest& request) {
    m_lblTy->setText(contractKindCode(request.kind));
    const auto done = attemptStore(
        m_session,
        logLabel(isLease(request.kind) ? QStringLiteral("EditGaeyakJ") : QStringLiteral("EditGaeyakM")), [&] {
            ContractStore store(m_session);
            const OfficeDetails& office = m_session.state().AuthConfig;
            const QDate today = m_session.clock().today();
            int number = request.edit ? request.contract : 0;
            if (!request.edit && request.listing > 0)
                number = store.findForListing(request.listing, request.kind, request.tb);
            if (number > 0) {
                if (const std::optional<Contract> stored = store.load(number))
                    m_contract = *stored;
                else
                    m_contract = newContract(request.kind, request.tb, office, today);
            } else if (request.listing > 0) {
                const std::optional<ListingRow> listing = readLocal(m_session, request.listing);
                m_contract = draftFromListing(listing.value_or(ListingRow{}), request.listing, request.kind,
                                              request.tb, office, today);
            } else {
                m_contract = newContract(request.kind, request.tb, office, today);
            }
        });
    if (!done) {
        m_contract = newContract(request.kind, request.tb, {}, m_session.clock().today());
        m_session.dialogs().critical(done.failureText());
    }
    showContract();
}

void frmGaeyakMk::showDraft(const Contract& draft) {
    m_contract = draft;
    showContract();
}

void frmGaeyakMk::showContract() {
    m_kinds->button(int(m_contract.kind))->setChecked(true);
    m_notations->button(int(m_contract.notation))->setChecked(true);
    panel()->showContract(m_contract);
    selectKind(m_contract.kind);
    redisplay();
    m_guard->markClean();
}

void frmGaeyakMk::selectKind(ContractKind kind) {
    const bool lease = isLease(kind);
    m_sale->setVisible(!lease);
    m_lease->setVisible(lease);
    m_title->setText(contractTitle(kind));
    m_lblTy->setText(contractKindCode(kind));
    panel()->updateFeeMaximum(kind);
}

ContractKind frmGaeyakMk::kind() const {
    return ContractKind(std::max(0, m_kinds->checkedId()));
}

ContractPanel* frmGaeyakMk::panel() const {
    return isLease(kind()) ? m_lease : m_sale;
}

MoneyNotation frmGaeyakMk::notation() const {
    return moneyNotationAt(m_notations->checkedId());
}

void frmGaeyakMk::redisplay() {
    panel()->showAmounts(notation());
    panel()->updateFeeMaximum(kind());
}

Contract frmGaeyakMk::current() const {
    Contract k = panel()->read(m_contract);
    k.kind = kind();
    k.notation = notation();
    if (!isLease(k.kind)) {
        k.rentDay.clear();
        k.bubun.clear();
    } else {
        k.money[5] = 0;
    }
    return k;
}

void frmGaeyakMk::pickAddress(const QString& target) {
    WindowAddressTarget receiver(this);
    frmAddr finder(m_session, target, &receiver, this);
    finder.setTown(panel()->location().value(2));
    hand(&finder);
}

bool frmGaeyakMk::confirmNumbers(const Contract& k) {
    for (const ContractParty* p : {&k.seller, &k.buyer}) {
        if (p->residentNumber.isEmpty() || residentNumberChecksumHolds(p->residentNumber))
            continue;
        // Numbers issued since October 2020 and many foreigners' numbers fail the old rule.
        if (!m_session.dialogs().askYesNo(
                QStringLiteral("주민등록번호 %1 의 검증번호가 맞지 않습니다.\r\n2020년 10월 이후 발급된 "
                               "번호나 외국인등록번호는 "
                               "그럴 수 있습니다.\r\n\r\n이 번호로 저장하시겠습니까 ?")
                    .arg(maskedResidentNumber(p->residentNumber)),
                QStringLiteral("주민등록번호 확인")))
            return false;
    }
    return true;
}

bool frmGaeyakMk::confirmFee(const Contract& k) {
    const std::optional<AgreedFee> fee = k.fee();
    if (!fee || !fee->aboveMaximum)
        return true;
    return m_session.dialogs().askYesNo(
        QStringLiteral("중개수수료 %1 % 는 법정 상한(%2원)을 넘습니다.\r\n\r\n그대로 저장하시겠습니까 ?")
            .arg(k.pro, formatAmount(fee->maximum.fee)),
        QStringLiteral("중개보수 확인"));
}

bool frmGaeyakMk::cmdGyakSave_Click() {
    Contract k = current();
    if (k.address().isEmpty()) {
        m_session.dialogs().inform(QStringLiteral("소재를 입력해 주세요."), kSaveTitle);
        return false;
    }
    if (!confirmNumbers(k) || !confirmFee(k))
        return false;
    const bool wasNew = k.number == 0;
    const auto done = attemptStore(m_session, logLabel(QStringLiteral("cmdGyakSave_Click")),
                                   [&] { ContractStore(m_session).save(k); });
    if (!done) {
        m_session.dialogs().critical(done.failureText(), kSaveTitle);
        return false;
    }
    m_contract = k;
    m_guard->markClean();
    m_session.dialogs().inform(wasNew ? savedText() : updatedText(), kSaveTitle);
    return true;
}

void frmGaeyakMk::cmdGyakPrint_Click() {
    ReportPreview::hand(m_session, contractDocument(current(), m_session.state().AuthConfig), this);
}

void frmGaeyakMk::cmdMul_Click() {
    if (panel()->locationMissing()) {
        m_session.dialogs().inform(QStringLiteral("확인서를 보시려면 소재지를 먼저 적으셔야합니다."),
                                   QStringLiteral("소재지미입력"));
        return;
    }
    auto* form = new frmGaeyakMul(m_session);
    form->fillFromContract(current());
    hand(form);
}

void frmGaeyakMk::FncGaeyakRec(int amount, const QString& type) {
    const Contract k = current();
    auto* receipt = new frmGaeyakRec(m_session);
    receipt->fillFromContract(receiptOfContract(k, amount, type, m_session.clock().today()));
    hand(receipt);
}

void frmGaeyakMk::hand(QWidget* window) {
    showOpenedWindow(m_session.outlets(), window);
}

QString frmGaeyakMk::logLabel(const QString& routine) const {
    return QStringLiteral("계약서 ") + routine + QStringLiteral(" => ");
}

} // namespace teran
