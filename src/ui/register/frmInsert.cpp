#include "frmInsert.h"

#include "ui/widgets/Named.h"

#include "ui/session/OpenedWindow.h"
#include "ui/session/ReportPreview.h"

#include "ChainStorePicker.h"
#include "FormComputations.h"
#include "ListingForm.h"
#include "LotPanel.h"
#include "PictureSlots.h"
#include "RegistrationPanels.h"
#include "SharingFrame.h"
#include "StationPicker.h"
#include "core/listing/PropertyTypes.h"
#include "core/listing/TypeFields.h"
#include "core/listings/ListCellFormat.h"
#include "core/listings/ListQuery.h"
#include "core/listings/ListingRowWork.h"
#include "core/listings/ListingSheetPrint.h"
#include "core/people/BuyerMatch.h"
#include "core/register/LotListings.h"
#include "core/session/Session.h"
#include "core/session/SessionListings.h"
#include "core/session/SettingsStore.h"
#include "core/session/StoreAttempt.h"
#include "core/session/WorkNotes.h"
#include "frmFilebox.h"
#include "frmImgBox.h"
#include "ui/contracts/frmGaeyakMk.h"
#include "ui/contracts/frmGaeyakMul.h"
#include "ui/contracts/frmLedger.h"
#include "ui/people/frmMatch.h"
#include "ui/people/frmWork.h"
#include "ui/session/ComingLater.h"
#include "ui/session/EditGuard.h"
#include "ui/widgets/RegionCascade.h"
#include "ui/widgets/WindowAddressTarget.h"
#include "ui/widgets/frmAddr.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

frmInsert::frmInsert(Session& session, RegistrationRequest request, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_session(session)
    , m_mode(request.mode)
    , m_number(request.number) {
    setObjectName(QStringLiteral("frmInsert"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(RegisterTexts::windowTitle());
    m_guard = std::make_unique<EditGuard>(
        m_session.dialogs(), RegisterTexts::windowTitle(), [this] { return snapshot(); },
        [this] { return save(true); });
    buildForm();
    connectComputations();
    fillOfficeChoices();
    loadPanels();
    const bool online = m_session.state().isOnline() && m_session.state().InternetOk;
    m_sharing->setOnline(online);
    if (m_mode == EditMode::Edit && m_number > 0)
        FncEditForm();
    else
        startNew();
}

frmInsert::~frmInsert() = default;

void frmInsert::UpDown(int step) {
    if (m_mode != EditMode::Edit || m_number <= 0 || !m_guard->allowLeave())
        return;
    const auto next = attemptStore(m_session, QStringLiteral("-UpDown => "),
                                   [&] { return neighbourListing(m_session, m_number, step); });
    if (!next)
        return;
    if (!*next) {
        m_session.dialogs().inform(QStringLiteral("매물의 끝입니다."), RegisterTexts::windowTitle());
        return;
    }
    m_number = **next;
    FncEditForm();
}

void frmInsert::buildForm() {
    m_form = new ListingForm(
        m_session.dialogs(),
        [this](const QString& tb, const QString& column) -> QStringList {
            return attemptStore(m_session, QStringLiteral("-DefaultForm => "),
                                [&] { return storedValuesOf(m_session, tb, column); })
                .valueOr({});
        },
        this);
    m_computations = new FormComputations(*m_form, m_session.dialogs(), this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(4, 4, 4, 4);
    outer->addWidget(buildButtons());

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("scrollForm"));
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    m_content = content;
    auto* columns = new QHBoxLayout(content);
    // The frames keep their full height whatever they show; the window scrolls where they do not fit.
    columns->setSizeConstraint(QLayout::SetMinimumSize);

    auto* left = new QVBoxLayout;
    left->addWidget(buildGeneralExtras(content));
    left->addWidget(m_form->frame(FormSection::General, content));
    left->addWidget(m_form->frame(FormSection::Sale, content));
    left->addWidget(m_form->frame(FormSection::Lease, content));
    QGroupBox* land = m_form->frame(FormSection::Land, content);
    m_computations->addLandPrices(land);
    left->addWidget(land);
    left->addStretch();

    auto* middle = new QVBoxLayout;
    QGroupBox* object = m_form->frame(FormSection::Object, content);
    middle->addWidget(object);
    m_pictures = new PictureSlots(m_session.dialogs(), m_session.outlets(), content);
    connect(m_pictures, &PictureSlots::imageBoxRequested, this, &frmInsert::cmdimgBox_Click);
    middle->addWidget(m_pictures);
    middle->addWidget(m_form->frame(FormSection::Detail, content));
    auto* chainStores = new ChainStorePicker(content);
    connect(chainStores, &ChainStorePicker::makerChosen, this,
            [this](const QString& maker) { m_form->setText(QStringLiteral("maker"), maker); });
    middle->addWidget(chainStores);
    middle->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(buildSidePanels(content));
    m_sharing = new SharingFrame(content);
    right->addWidget(m_sharing->shareBox());
    right->addWidget(m_sharing->summaryLabel());
    right->addWidget(m_sharing);
    right->addStretch();

    columns->addLayout(left, 3);
    columns->addLayout(middle, 4);
    columns->addLayout(right, 3);
    scroll->setWidget(content);
    outer->addWidget(scroll, 1);

    // The lower panel: work notes, calendar or logo, and the listings on the same lot.
    auto* lowerRow = new QHBoxLayout;
    lowerRow->addWidget(m_lower, 1);
    m_lot = new LotPanel(m_session, this);
    m_lot->setMaximumHeight(170);
    lowerRow->addWidget(m_lot, 1);
    outer->addLayout(lowerRow);

    m_type->setFocus();
    resize(1280, 720);
}

QWidget* frmInsert::buildGeneralExtras(QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    m_type = new QComboBox(box);
    m_type->setObjectName(QStringLiteral("cboTb"));
    for (const TypeRules* type : typeRulesInFormOrder())
        m_type->addItem(type->formLabel, type->tb);
    grid->addWidget(new QLabel(QStringLiteral("매물종류"), box), 0, 0);
    grid->addWidget(m_type, 0, 1);
    auto* finderButton = namedButton(box, QStringLiteral("address"), QStringLiteral("주소찾기"));
    grid->addWidget(finderButton, 0, 2);
    auto* lotCheck = namedButton(box, QStringLiteral("cmdChkMul"), QStringLiteral("지번별 매물보기"));
    grid->addWidget(lotCheck, 0, 3);
    grid->addWidget(new QLabel(QStringLiteral("매물번호"), box), 1, 0);
    m_tidx = new QLineEdit(box);
    m_tidx->setObjectName(QStringLiteral("tidx"));
    m_tidx->setReadOnly(true);
    grid->addWidget(m_tidx, 1, 1);
    auto* lookup = namedButton(box, QStringLiteral("cmdJibunInfo"), QStringLiteral("지번 정보"));
    grid->addWidget(lookup, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("등록일"), box), 2, 0);
    m_writeday = new QDateEdit(box);
    m_writeday->setObjectName(QStringLiteral("writeday"));
    m_writeday->setCalendarPopup(true);
    m_writeday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    grid->addWidget(m_writeday, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("만기일"), box), 2, 2);
    m_offday = new QDateEdit(box);
    m_offday->setObjectName(QStringLiteral("offday"));
    m_offday->setCalendarPopup(true);
    m_offday->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    grid->addWidget(m_offday, 2, 3);
    grid->addWidget(m_computations->converter(box), 3, 0, 1, 4);
    grid->addWidget(
        new QLabel(QStringLiteral("(단위:만원)    * 표시: 인터넷 광고에 꼭 적어야 하는 항목"), box), 4, 0, 1,
        4);

    connect(finderButton, &QPushButton::clicked, this, [this] {
        WindowAddressTarget target(this);
        frmAddr finder(m_session, QStringLiteral("frmInsert"), &target, this);
        finder.setTown(address().value(2));
        finder.exec();
    });
    connect(lotCheck, &QPushButton::clicked, this, &frmInsert::cmdChkMul_Click);
    connect(lookup, &QPushButton::clicked, this, &frmInsert::lookUpLot);
    connect(m_type, &QComboBox::currentIndexChanged, this, &frmInsert::cboTb_Click);
    return box;
}

QWidget* frmInsert::buildButtons() {
    auto* bar = new QWidget(this);
    auto* rows = new QVBoxLayout(bar);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* row = new QHBoxLayout;
    auto* laterRow = new QHBoxLayout;
    rows->addLayout(row);
    rows->addLayout(laterRow);
    m_save = namedButton(bar, QStringLiteral("cmdSave"), QStringLiteral("저   장"));
    auto* cancel = namedButton(bar, QStringLiteral("cmdCancel"), QStringLiteral("취   소"));
    m_del = namedButton(bar, QStringLiteral("cmdDel"), QStringLiteral("매물삭제"));
    m_copy = namedButton(bar, QStringLiteral("cmdCopy"), QStringLiteral("매물복사"));
    m_move = namedButton(bar, QStringLiteral("cmdMove"), RegisterTexts::toArchive());
    for (QPushButton* b : {m_save, cancel, m_del, m_copy, m_move})
        row->addWidget(b);
    // Their windows come later; they are shown so that the office knows where they will be.
    m_printSale = namedButton(bar, QStringLiteral("cmdPrintM"), QStringLiteral("매매현황 조사서보기"));
    m_printLease = namedButton(bar, QStringLiteral("cmdPrintim"), QStringLiteral("임대현황 조사서보기"));
    laterRow->addWidget(m_printSale);
    laterRow->addWidget(m_printLease);
    connect(m_printSale, &QPushButton::clicked, this, [this] { printSheet(QStringLiteral("M")); });
    connect(m_printLease, &QPushButton::clicked, this, [this] { printSheet(QStringLiteral("W")); });
    auto* contract = namedButton(bar, QStringLiteral("cmdGaeyak"), QStringLiteral("계약서작성"));
    auto* confirmation = namedButton(bar, QStringLiteral("cmdMul"), QStringLiteral("물건확인설명서"));
    auto* tenants = namedButton(bar, QStringLiteral("cmd_im"), QStringLiteral("임차인"));
    auto* loans = namedButton(bar, QStringLiteral("cmd_y"), QStringLiteral("관   리"));
    for (QPushButton* b : {contract, confirmation, tenants, loans})
        laterRow->addWidget(b);
    connect(contract, &QPushButton::clicked, this, &frmInsert::cmdGaeyak_Click);
    connect(confirmation, &QPushButton::clicked, this, &frmInsert::cmdMul_Click);
    connect(tenants, &QPushButton::clicked, this, [this] { openLedger(LedgerKind::Tenants); });
    connect(loans, &QPushButton::clicked, this, [this] { openLedger(LedgerKind::Loans); });
    const std::pair<const char*, const char*> later[] = {{"cmdAdM", "옥외광고용"}, {"cmdAdim", "옥외광고용"}};
    for (const auto& [name, text] : later) {
        QPushButton* b = namedButton(bar, QLatin1String(name), QString::fromUtf8(text));
        b->setEnabled(false);
        b->setToolTip(comingLaterText());
        laterRow->addWidget(b);
    }
    m_fileBox = namedButton(bar, QStringLiteral("cmdFilebox"), RegisterTexts::fileBoxTitle());
    laterRow->addWidget(m_fileBox);
    connect(m_fileBox, &QPushButton::clicked, this, &frmInsert::cmdFilebox_Click);
    m_buyers = namedButton(bar, QStringLiteral("cmdBuyers"), QStringLiteral("맞는 매수인"));
    laterRow->addWidget(m_buyers);
    connect(m_buyers, &QPushButton::clicked, this, &frmInsert::openFittingBuyers);
    laterRow->addStretch();
    row->addStretch();
    m_autoChk = new QCheckBox(QStringLiteral("연속등록"), bar);
    m_autoChk->setObjectName(QStringLiteral("AutoChk"));
    row->addWidget(m_autoChk);
    auto* up = namedButton(bar, QStringLiteral("cmdUp"), QStringLiteral("◀ 이전"));
    auto* down = namedButton(bar, QStringLiteral("cmdDown"), QStringLiteral("다음 ▶"));
    row->addWidget(up);
    row->addWidget(down);
    auto* close = namedButton(bar, QStringLiteral("cmdClose"), QStringLiteral("닫  기"));
    row->addWidget(close);
    connect(up, &QPushButton::clicked, this, [this] { UpDown(-1); });
    connect(down, &QPushButton::clicked, this, [this] { UpDown(1); });
    connect(m_save, &QPushButton::clicked, this, &frmInsert::cmdSave_Click);
    connect(cancel, &QPushButton::clicked, this, &frmInsert::cmdCancel_Click);
    connect(m_del, &QPushButton::clicked, this, &frmInsert::cmdDel_Click);
    connect(m_copy, &QPushButton::clicked, this, &frmInsert::cmdCopy_Click);
    connect(m_move, &QPushButton::clicked, this, &frmInsert::cmdMove_Click);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return bar;
}

QWidget* frmInsert::buildSidePanels(QWidget* parent) {
    auto* seller = m_form->frame(FormSection::Seller, parent);
    m_hideSeller = new QCheckBox(QStringLiteral("비공개 (매물정보를 숨김)"), seller);
    m_hideSeller->setObjectName(QStringLiteral("opidMaedo"));
    qobject_cast<QGridLayout*>(seller->layout())->addWidget(m_hideSeller, 100, 0, 1, 4);
    m_panels = new RegistrationPanels(m_session, seller, this);
    m_right = m_panels->right();
    m_lower = m_panels->lower();
    m_work = m_panels->workTabs();
    m_notes = m_panels->notes();
    connect(m_notes, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { openWorkNote(item->data(0, Qt::UserRole).toInt()); });
    m_note = m_panels->noteBox();
    connect(m_panels, &RegistrationPanels::workTabChanged, this, &frmInsert::showWorkNotes);
    return m_right;
}

void frmInsert::loadPanels() {
    m_panels->load(m_mode == EditMode::Edit && m_number > 0);
}

void frmInsert::connectComputations() {
    if (auto* keyword = qobject_cast<QLineEdit*>(m_form->editor(QStringLiteral("keyword"))))
        keyword->setPlaceholderText(
            QStringLiteral("예) 급매/추천/단기임대등 간단한 매물특징을 요약하여정리합니다."));
    if (auto* limits = qobject_cast<QLineEdit*>(m_form->editor(QStringLiteral("jehan"))))
        limits->setPlaceholderText(QStringLiteral("제한사항을입력하세요."));
    m_computations->connectForm();
    connect(m_sharing->shareBox(), &QCheckBox::clicked, this, &frmInsert::chkInternet_Click);
    connect(m_sharing, &SharingFrame::closeRequested, this, &frmInsert::cmdieClose_Click);
    m_sharing->summaryLabel()->installEventFilter(this);
    connect(m_sharing->shareBox(), &QCheckBox::toggled, m_sharing, [this](bool on) {
        if (on)
            m_sharing->show();
    });
}

void frmInsert::cboTb_Click() {
    const TypeRules* rules = typeRules(m_type->currentData().toString());
    if (!rules)
        return;
    const QString name = nameToStore(m_form->text(QStringLiteral("cboname")));
    {
        const QSignalBlocker quiet(m_form);
        m_form->applyType(*rules);
    }
    if (auto* box = qobject_cast<QComboBox*>(m_form->editor(QStringLiteral("cboname")))) {
        box->lineEdit()->setPlaceholderText(rules->nameCaption);
        box->setEditText(name);
    }
    // DefaultForm: the form starts at the first of the type's forms.
    if (auto* forms = qobject_cast<QComboBox*>(m_form->editor(QStringLiteral("maemultype")));
        forms && forms->currentText().isEmpty() && forms->count() > 0)
        forms->setCurrentIndex(0);
    m_sharing->showSecondArea(rules->hasSecondArea());
    m_sharing->showName(rules->hasName());
    // Tab goes through the type's fields in the order the form shows them.
    QWidget* previous = m_type;
    for (const TypeField& f : rules->fields)
        if (QWidget* editor = m_form->editor(f.column)) {
            setTabOrder(previous, editor);
            previous = editor;
        }
    m_computations->recompute();
}

void frmInsert::startNew() {
    m_mode = EditMode::New;
    m_number = 0;
    clearForm();
    showNumber();
    enableListingButtons(false);
    m_guard->markClean();
}

void frmInsert::cmdCancel_Click() {
    if (m_mode == EditMode::Edit && m_number > 0) {
        FncEditForm();
        return;
    }
    clearForm();
    m_guard->markClean();
}

bool frmInsert::hasUnsavedChanges() const {
    return m_guard->dirty();
}

// Everything a save would store or send: two equal snapshots save the same.
QVariant frmInsert::snapshot() const {
    const ListingSaveRequest request = saveRequest();
    QVariantHash state = request.fields;
    state.remove(QStringLiteral("ty")); // follows the form
    const QString typedName = state.value(QStringLiteral("cboname")).toString();
    if (!typedName.isEmpty() && nameToStore(typedName).isEmpty())
        state.remove(QStringLiteral("cboname"));
    for (size_t p = 0; p < 2; ++p)
        state.insert(QStringLiteral(" picture%1").arg(p), request.chosenPicture[p]);
    state.insert(QStringLiteral(" imageBox"), request.imageBox.has_value());
    state.insert(QStringLiteral(" share"), request.share);
    state.insert(QStringLiteral(" note"), request.workNote);
    return state;
}

// Empties the form for a new listing of the chosen type.
void frmInsert::clearForm() {
    m_form->clear();
    m_computations->clearConverter();
    m_sharing->clear();
    m_note->clear();
    m_notes->clear();
    m_lot->clear();
    m_pictures->clear();
    m_imageBox.reset();
    m_hideSeller->setChecked(false);
    m_hiddenBy.clear();
    const QDate today = m_session.clock().today();
    m_writeday->setDate(today);
    m_offday->setDate(defaultExpiry(today));
    cboTb_Click();
    if (m_regions)
        m_regions->setValues({});
    if (m_stations)
        m_stations->setValues(QString(), QString());
    m_form->setText(QStringLiteral("subid"), m_session.state().LoginId);
}

// The boxes whose items are the office's: its staff, the progress states of its listings and
// the subway lines.
void frmInsert::fillOfficeChoices() {
    if (auto* staff = qobject_cast<QComboBox*>(m_form->editor(QStringLiteral("subid"))))
        for (const StaffMember& member : m_session.state().Staff)
            staff->addItem(member.id);
    if (auto* progress = qobject_cast<QComboBox*>(m_form->editor(QStringLiteral("ming")))) {
        attemptStore(m_session, QStringLiteral("-Form_Load => "),
                     [&] { progress->addItems(progressChoices(m_session)); });
    }
    m_regions = RegionCascade::attach(m_session, this);
    if (m_regions)
        m_regions->setRegions(registrationRegions());
    m_stations = StationPicker::attach(m_session, this);
    if (m_stations)
        m_stations->fillLines();
}

// addr1..addr4 as typed or chosen; a box still at its placeholder is empty.
QStringList frmInsert::address() const {
    const RegionValues region = m_regions ? m_regions->values() : RegionValues{};
    QString lot = m_form->text(QStringLiteral("addr4"));
    if (lot == frmAddr::lotPlaceholder())
        lot.clear();
    return {region.addr1, region.addr2, region.addr3, lot};
}

QString frmInsert::lotOfForm() const {
    const QStringList parts = address();
    return lotAddress(parts.at(0), parts.at(1), parts.at(2), parts.at(3));
}

void frmInsert::showNumber() {
    setWindowTitle(RegisterTexts::windowTitleFor(m_mode == EditMode::Edit && m_number > 0, m_number));
    if (m_mode == EditMode::Edit) {
        m_tidx->setText(QString::number(m_number));
        return;
    }
    attemptStore(m_session, QStringLiteral("-Form_Load => "),
                 [&] { m_tidx->setText(QString::number(expectedNextNumber(m_session))); });
}

// The survey sheets of the stored listing: its type's sale or lease layout, whatever the form of
// the listing itself.
void frmInsert::printSheet(const QString& ty) {
    const SheetPrint printed = ListingSheetPrint(m_session).own(m_number, ty);
    ReportPreview::handOrTell(m_session, printed.page, printed.error, this);
}

void frmInsert::enableListingButtons(bool stored) {
    m_printSale->setEnabled(stored);
    m_printLease->setEnabled(stored);
    m_del->setEnabled(stored);
    m_move->setEnabled(stored);
    m_copy->setEnabled(stored);
    m_fileBox->setEnabled(stored);
    m_buyers->setEnabled(stored);
}

// 맞는 매수인: the buyers who fit the stored listing.
void frmInsert::openFittingBuyers() {
    if (m_number > 0)
        showOpenedWindow(m_session.outlets(), new frmMatch(m_session, m_number, false, this));
}

// After a new listing or a new price: how many buyers fit, and the offer to see them.
void frmInsert::tellFittingBuyers(const std::optional<ListingRow>& before) {
    const auto priceOf = [](const ListingRow& row) {
        const MatchedListing l = matchedListing(row);
        return std::pair{l.amount, l.rent};
    };
    if (!m_asOpened || (before && priceOf(*before) == priceOf(*m_asOpened)))
        return;
    int fits = 0;
    attemptStore(m_session, QStringLiteral("-cmdSave_Click => "), [&] {
        fits = int(buyersForListing(m_session, matchedListing(*m_asOpened), userTolerance(m_session)).size());
    });
    if (fits > 0 && m_session.dialogs().askYesNo(fittingBuyersText(fits) +
                                                     QStringLiteral("\r\n\r\n맞는 매수인을 보시겠습니까 ?"),
                                                 QStringLiteral("맞는 매수인")))
        openFittingBuyers();
}

void frmInsert::FncEditForm() {
    const QString label = QStringLiteral("-FncEditForm => ");
    const auto loaded =
        attemptStore(m_session, label, [&] { return listingToEdit(m_session, m_number, label); });
    if (!loaded.valueOr(std::nullopt)) {
        m_session.dialogs().inform(RegisterTexts::goneElsewhere(), RegisterTexts::windowTitle());
        startNew();
        return;
    }
    const ListingToEdit& edit = **loaded;
    const ListingRow& row = edit.row;
    m_asOpened = row;
    const int typeIndex = m_type->findData(row.value(QStringLiteral("tb")).toString());
    {
        const QSignalBlocker quiet(m_type);
        m_type->setCurrentIndex(qMax(0, typeIndex));
    }
    cboTb_Click();
    m_form->setValues(row);
    if (m_regions)
        m_regions->setValues({row.value(QStringLiteral("addr1")).toString(),
                              row.value(QStringLiteral("addr2")).toString(),
                              row.value(QStringLiteral("addr3")).toString()});
    if (m_stations)
        m_stations->setValues(row.value(QStringLiteral("line")).toString(),
                              row.value(QStringLiteral("station")).toString());
    m_imageBox.reset();
    m_pictures->showStored(
        {row.value(QStringLiteral("imgname1")).toString(), row.value(QStringLiteral("imgname2")).toString()},
        m_session.dataFolder().files());
    m_writeday->setDate(edit.registered);
    m_offday->setDate(edit.expires);
    m_hiddenBy = edit.hiddenBy;
    m_hideSeller->setChecked(!m_hiddenBy.isEmpty());
    m_archived = edit.archived;
    m_move->setText(m_archived ? RegisterTexts::toListings() : RegisterTexts::toArchive());
    // The disclosure boxes follow what the shared copy shows; offline, a shared listing shows as
    // shared and the save keeps it so.
    m_wasShared = edit.shared;
    m_sharing->setValues(row, edit.sharedCopy);
    if (edit.shared && !edit.sharedCopy)
        m_sharing->setShared(true);
    showNumber();
    enableListingButtons(true);
    showWorkNotes();
    m_computations->recompute();
    m_guard->markClean();
}

void frmInsert::showWorkNotes() {
    m_notes->clear();
    if (m_mode != EditMode::Edit || m_number <= 0)
        return;
    attemptStore(m_session, QStringLiteral("-WorkList => "), [&] {
        const WorkNoteBook book(m_session);
        const QList<WorkNote> notes =
            m_work->currentIndex() == 1 ? book.ofLot(lotOfForm()) : book.ofListing(m_number);
        for (const WorkNote& note : notes) {
            auto* item = new QTreeWidgetItem(
                m_notes, {note.writeday.toString(QStringLiteral("yy-MM-dd")), note.opid, note.work});
            item->setData(0, Qt::UserRole, note.number);
        }
    });
}

// A note of the stored listing opened in the note window (a new one when none is chosen).
void frmInsert::openWorkNote(int note) {
    if (m_mode != EditMode::Edit || m_number <= 0)
        return;
    auto* window =
        new frmWork(m_session,
                    {NoteKind::Listing, m_number, QStringLiteral("frmInsert"),
                     QStringLiteral("* 물건진행현황 및 관리자 메모 "), m_session.state().OfficeMainId,
                     m_work->currentIndex() == 1 ? lotOfForm() : QString()},
                    note, this);
    connect(window, &frmWork::notesChanged, this, &frmInsert::showWorkNotes);
    showOpenedWindow(m_session.outlets(), window);
}

// The box as last edited here, else as stored with the listing (a copy starts from the box of
// the listing copied).
ImageBoxList frmInsert::currentImageBox() {
    if (m_imageBox)
        return *m_imageBox;
    if (m_number <= 0)
        return {};
    return attemptStore(m_session, QStringLiteral("-cmdimgBox_Click => "),
                        [&] { return ImageBoxStore::read(m_session, m_number).value_or(ImageBoxList()); })
        .valueOr({});
}

void frmInsert::cmdimgBox_Click() {
    frmImgBox box(currentImageBox(), m_session.dataFolder().files(), m_session.dialogs(), m_session.outlets(),
                  this);
    runOpenedDialog(m_session.outlets(), box);
    if (box.result() == QDialog::Accepted)
        m_imageBox = box.box();
}

void frmInsert::cmdFilebox_Click() {
    if (m_number <= 0 || m_mode != EditMode::Edit)
        return;
    frmFilebox files(m_session.dataFolder().files(), m_number, m_session.dialogs(), m_session.outlets(),
                     this);
    runOpenedDialog(m_session.outlets(), files);
}

void frmInsert::chkInternet_Click() {
    const bool on = m_sharing->shared();
    m_sharing->setShared(on);
    if (on && !m_wasShared)
        m_sharing->startFrom(m_form->text(QStringLiteral("pyung")), m_form->text(QStringLiteral("pyung_use")),
                             m_form->text(QStringLiteral("floor")),
                             m_form->text(QStringLiteral("floor_max")));
    m_sharing->setVisible(on);
}

void frmInsert::cmdieClose_Click() {
    if (m_sharing->shared() && !m_sharing->gradeChosen()) {
        if (m_session.dialogs().askYesNo(RegisterTexts::closeSharingQuestion(),
                                         RegisterTexts::closeSharingTitle()))
            m_sharing->setShared(false);
        else
            return;
    }
    m_sharing->hide();
}

ListingSaveRequest frmInsert::saveRequest() const {
    ListingSaveRequest request;
    request.mode = m_mode;
    request.number = m_number;
    request.fields = m_form->values();
    const ListingRow shared = m_sharing->values();
    for (auto it = shared.constBegin(); it != shared.constEnd(); ++it)
        request.fields.insert(it.key(), it.value());
    const TypeRules* rules = m_form->rules();
    request.fields.insert(QStringLiteral("tb"), rules ? rules->tb : QString());
    const QStringList parts = address();
    for (int i = 0; i < 4; ++i)
        request.fields.insert(QStringLiteral("addr%1").arg(i + 1), parts.at(i));
    if (m_stations) {
        request.fields.insert(QStringLiteral("line"), m_stations->line());
        request.fields.insert(QStringLiteral("station"), m_stations->station());
    }
    request.fields.insert(QStringLiteral("ty"),
                          transactionToStore(m_asOpened, m_form->text(QStringLiteral("maemultype"))));
    request.fields.insert(QStringLiteral("writeday"), QDateTime(m_writeday->date(), QTime(0, 0)));
    request.fields.insert(QStringLiteral("offday"), QDateTime(m_offday->date(), QTime(0, 0)));
    request.fields.insert(QStringLiteral("opid"),
                          sellerHiddenBy(m_hideSeller->isChecked(), m_hiddenBy, m_session.state().LoginId));
    request.chosenPicture = m_pictures->chosen();
    request.storedPicture = m_pictures->stored();
    request.imageBox = m_imageBox;
    request.archived = m_archived;
    request.share = m_sharing->shared();
    request.disclosure = m_sharing->disclosure();
    request.gradeChosen = m_sharing->gradeChosen();
    request.wasShared = m_wasShared;
    request.workNote = m_note->toPlainText().trimmed();
    if (m_work->currentIndex() == 1)
        request.workNoteLot = lotOfForm();
    if (m_mode == EditMode::Edit)
        request.asOpened = m_asOpened;
    return request;
}

// A new listing on a lot (and unit) where the office has listings already is asked first.
bool frmInsert::confirmNewLot() {
    // A copy stands on the lot of its listing by intent.
    if (m_mode != EditMode::New || address().value(3).isEmpty())
        return true;
    const QList<int> same =
        attemptStore(m_session, QStringLiteral("-cmdSave_Click => "), [&] {
            return listingsOnLot(m_session, address(), m_form->text(QStringLiteral("addr5")));
        }).valueOr({});
    return same.isEmpty() || m_session.dialogs().askYesNo(RegisterTexts::duplicateQuestion(same),
                                                          RegisterTexts::duplicateTitle());
}

void frmInsert::cmdSave_Click() {
    save(false);
}

bool frmInsert::save(bool leaving) {
    // Saving a stored listing unchanged would write nothing new; say so instead of "done". A
    // listing to share is saved all the same: its copy may be behind after a failed share.
    if (m_mode == EditMode::Edit && m_number > 0 && !m_guard->dirty() && !m_sharing->shared()) {
        m_session.dialogs().inform(EditGuard::nothingChanged(), RegisterTexts::windowTitle());
        return true;
    }
    if (nameToStore(m_form->text(QStringLiteral("cboname"))).isEmpty())
        m_form->setText(QStringLiteral("cboname"), QString());
    ListingSaveRequest request = saveRequest();
    if (const std::optional<ListingSaveResult::Local> lack = ListingSaveService::lacking(request)) {
        showLacking(*lack);
        return false;
    }
    if (!confirmNewLot())
        return false;
    ListingSaveService service(sessionSaveTargets(m_session));
    ListingSaveResult result = service.save(request);
    if (result.local == ListingSaveResult::Local::ChangedElsewhere) {
        if (!m_session.dialogs().askYesNo(RegisterTexts::changedElsewhereQuestion(),
                                          RegisterTexts::changedElsewhereTitle())) {
            FncEditForm();
            return false;
        }
        request.overwrite = true;
        result = service.save(request);
    }
    afterSave(result, leaving);
    return result.saved();
}

// What the form lacks is told before anything is asked, and the form shows where it is lacking.
void frmInsert::showLacking(ListingSaveResult::Local lack) {
    ListingSaveResult refused;
    refused.local = lack;
    const RegisterTexts::Notice notice = RegisterTexts::saveNotice(refused);
    m_session.dialogs().message(notice.text, notice.title, notice.icon, DialogButtons::Ok);
    if (lack == ListingSaveResult::Local::NoGrade) {
        m_sharing->show();
    } else if (QWidget* address = m_form->editor(QStringLiteral("addr1"))) {
        address->setFocus();
    }
}

void frmInsert::afterSave(const ListingSaveResult& result, bool leaving) {
    const RegisterTexts::Notice notice = RegisterTexts::saveNotice(result);
    if (!notice.text.isEmpty())
        m_session.dialogs().message(notice.text, notice.title, notice.icon, DialogButtons::Ok);
    m_form->markMissing(result.missingColumns);
    if (!result.saved())
        return; // the form keeps what was typed
    Q_EMIT listingsChanged();
    const EditMode saved = m_mode;
    m_number = result.number;
    m_pictures->markSaved(result.pictures);
    m_imageBox.reset();
    m_note->clear();
    // A copy may still be on the server after a failure: an unshare later takes it off.
    m_wasShared = result.copyMayRemain(m_wasShared);
    if (result.sharing != ListingSaveResult::Sharing::Published &&
        result.sharing != ListingSaveResult::Sharing::Queued)
        m_sharing->setShared(false);
    const std::optional<ListingRow> before = saved == EditMode::Edit ? m_asOpened : std::nullopt;
    attemptStore(m_session, QStringLiteral("-cmdSave_Click => "),
                 [&] { m_asOpened = readLocal(m_session, m_number); });
    m_guard->markClean();
    if (!leaving)
        tellFittingBuyers(before);
    if (leaving) {
        m_mode = saved == EditMode::Copy ? EditMode::Edit : saved;
        return;
    }
    switch (saved) {
    case EditMode::Edit:
        if (m_session.dialogs().message(RegisterTexts::editDone(), RegisterTexts::confirmTitle(),
                                        DialogIcon::Question, DialogButtons::OkCancel) == DialogAnswer::Ok) {
            close();
            return;
        }
        enableListingButtons(true);
        break;
    case EditMode::Copy:
        m_session.dialogs().message(RegisterTexts::copyDone(), RegisterTexts::confirmTitle(),
                                    DialogIcon::Information, DialogButtons::Ok);
        m_mode = EditMode::Edit;
        m_autoChk->show();
        m_copy->setEnabled(true);
        m_sharing->clearGrades();
        enableListingButtons(true);
        break;
    case EditMode::New:
        if (m_session.dialogs().message(RegisterTexts::newDone(), RegisterTexts::confirmTitle(),
                                        DialogIcon::Question, DialogButtons::YesNo) != DialogAnswer::Yes) {
            close();
            return;
        }
        if (m_autoChk->isChecked()) {
            // The next listing starts from these values and is stored under a new number.
            m_number = 0;
            m_computations->clearConverter(); // it spoke of the listing just saved
            m_pictures->clear();
            enableListingButtons(false);
        } else {
            startNew();
            return;
        }
        break;
    }
    showNumber();
    showWorkNotes();
}

void frmInsert::cmdCopy_Click() {
    if (!m_session.dialogs().askYesNo(RegisterTexts::copyQuestion(), RegisterTexts::copyTitle()))
        return;
    m_mode = EditMode::Copy;
    m_sharing->setShared(false);
    m_sharing->clearGrades();
    m_archived = false;
    m_wasShared = false;
    cmdSave_Click();
}

void frmInsert::cmdDel_Click() {
    const SessionState& state = m_session.state();
    if (!mayDelete(state.LoginId, state.OfficeMainId, m_form->text(QStringLiteral("subid")))) {
        m_session.dialogs().critical(RegisterTexts::deleteRefused(), RegisterTexts::deleteRefusedTitle());
        return;
    }
    if (!m_archived) {
        const DialogAnswer answer =
            m_session.dialogs().message(RegisterTexts::deleteQuestion(), RegisterTexts::deleteTitle(),
                                        DialogIcon::Question, DialogButtons::YesNoCancel);
        if (answer == DialogAnswer::Yes) {
            cmdMove_Click();
            return;
        }
        if (answer != DialogAnswer::No)
            return;
    } else if (!m_session.dialogs().askYesNo(RegisterTexts::deleteArchivedQuestion(),
                                             RegisterTexts::deleteTitle())) {
        return;
    }
    const QString label = QStringLiteral("-cmdDel_Click => ");
    const auto done = attemptStore(m_session, label, [&] { removeListing(m_session, m_number, label); });
    if (!done) {
        showStoreFailure(m_session, *done.failure(), StoreKind::Listing);
        return;
    }
    Q_EMIT listingsChanged();
    m_guard->markClean(); // what was typed went with the listing
    close();
}

void frmInsert::cmdMove_Click() {
    const QString label = QStringLiteral("-cmdMove_Click => ");
    const auto moved = attemptStore(m_session, label,
                                    [&] { return moveToOtherBox(m_session, m_number, m_archived, label); });
    if (!moved)
        showStoreFailure(m_session, *moved.failure(), StoreKind::Listing);
    if (!moved.valueOr(false))
        return;
    m_archived = !m_archived;
    m_wasShared = false;
    m_sharing->setShared(false);
    m_move->setText(m_archived ? RegisterTexts::toListings() : RegisterTexts::toArchive());
    m_guard->markClean();
    m_session.dialogs().inform(RegisterTexts::moved(), RegisterTexts::windowTitle());
    m_asOpened =
        attemptStore(m_session, label, [&] { return readLocal(m_session, m_number); }).valueOr(m_asOpened);
    Q_EMIT listingsChanged();
}

void frmInsert::cmdChkMul_Click() {
    const QStringList lot = address();
    if (lot.join(QString()).isEmpty()) {
        m_session.dialogs().inform(RegisterTexts::addressMissing(), RegisterTexts::windowTitle());
        return;
    }
    m_lot->clear();
    const auto rows = attemptStore(m_session, QStringLiteral("-cmdChkMul_Click => "),
                                   [&] { return lotListings(m_session, lot); });
    if (!rows)
        return;
    if (rows->isEmpty()) {
        m_session.dialogs().inform(RegisterTexts::noLotListings(), RegisterTexts::noLotListingsTitle());
        return;
    }
    m_lot->showListings(*rows);
}

void frmInsert::lookUpLot() {
    m_lot->lookUp(address(), m_form->rules() ? m_form->rules()->tb : QString(),
                  m_form->text(QStringLiteral("cboname")));
}

void frmInsert::closeEvent(QCloseEvent* event) {
    event->setAccepted(m_guard->allowLeave());
}

// A click on the summary opens the sharing frame.
bool frmInsert::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sharing->summaryLabel() && event->type() == QEvent::MouseButtonRelease)
        m_sharing->show();
    return QWidget::eventFilter(watched, event);
}

// 계약서작성: a contract of the listing's transaction, drafted from the listing once it is stored.
void frmInsert::cmdGaeyak_Click() {
    const ContractKind kind = contractKindOf(transactionOfForm(m_form->text(QStringLiteral("maemultype"))));
    const TypeRules* rules = m_form->rules();
    const bool stored = m_mode == EditMode::Edit && m_number > 0;
    auto* window = new frmGaeyakMk(
        m_session, ContractRequest{false, 0, stored ? m_number : 0, kind, rules ? rules->tb : QString()});
    if (!stored) { // a listing not yet saved still lends its location
        Contract draft = window->current();
        draft.location = address();
        window->showDraft(draft);
    }
    showOpenedWindow(m_session.outlets(), window);
}

void frmInsert::cmdMul_Click() {
    auto* window = new frmGaeyakMul(m_session);
    window->fillFromListing(address());
    showOpenedWindow(m_session.outlets(), window);
}

void frmInsert::openLedger(LedgerKind kind) {
    if (m_mode != EditMode::Edit || m_number <= 0) {
        m_session.dialogs().inform(LedgerTexts::saveFirst(kind), ledgerTitle(kind));
        return;
    }
    frmLedger ledger(m_session, kind, m_number, this);
    connect(&ledger, &frmLedger::totalsApplied, this, [this, kind](const LedgerTotals& t) {
        for (const auto& [column, amount] : ledgerTotalsByColumn(kind, t))
            m_form->setText(column, formatAmount(amount));
        m_computations->recompute();
    });
    runOpenedDialog(m_session.outlets(), ledger);
}

} // namespace teran
