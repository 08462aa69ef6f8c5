#include "SearchPanel.h"

#include "ChoiceCombo.h"
#include "core/listing/PropertyTypes.h"
#include "core/listings/ListQuery.h"
#include "core/listings/ListingChoices.h"
#include "core/session/Session.h"
#include "core/session/StoreAttempt.h"
#include "ui/widgets/ComboFill.h"
#include "ui/widgets/NumericKeyCheck.h"
#include "ui/widgets/RegionCascade.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace teran {

namespace {

QString allTypes() {
    return QStringLiteral("all");
}

// The placeholder of the name box for the types whose name column is not a building name.
QString columnCaption(const QString& column) {
    if (column == QLatin1String("jimok"))
        return QStringLiteral("지목");
    if (column == QLatin1String("maemultype"))
        return QStringLiteral("분류");
    if (column == QLatin1String("special"))
        return QStringLiteral("특징");
    return QStringLiteral("이름");
}

} // namespace

SearchPanel::SearchPanel(Session& session, QWidget* parent)
    : QWidget(parent)
    , m_session(session) {
    setObjectName(QStringLiteral("SearchPanel"));
    buildBoxes();
    buildLayout();
    attachNumberChecks();
    m_regions = new RegionCascade(session, m_addr1, m_addr2, m_addr3, this);
    setCurrentType(allTypes(), QStringLiteral("전체"), allTypes());
}

const QList<SearchPanel::TransactionEntry>& SearchPanel::transactionEntries() {
    // The first five are the choices the office uses most; the narrower ones follow.
    static const QList<TransactionEntry> entries = {
        {QStringLiteral("금액"), AnyTransaction},    {QStringLiteral("매매가"), SaleOnly},
        {QStringLiteral("보증금"), AnyLease},        {QStringLiteral("합산금"), CombinedNonZero},
        {QStringLiteral("실구입가"), TakeoverOnly},  {QStringLiteral("전세금"), LeaseOnly},
        {QStringLiteral("월세보증금"), MonthlyOnly},
    };
    return entries;
}

QStringList SearchPanel::freeFieldCaptions() {
    return {QStringLiteral("호수"),     QStringLiteral("지번"),     QStringLiteral("비고"),
            QStringLiteral("매도자"),   QStringLiteral("전화번호"), QStringLiteral("기타"),
            QStringLiteral("중개구분"), QStringLiteral("접수매체")};
}

QString SearchPanel::notANumberText(const QString& caption) {
    return QStringLiteral("%1 칸에는 숫자를 입력하십시요.").arg(caption);
}

QString SearchPanel::badNumbersText() {
    return QStringLiteral("매물번호는 숫자를 쉼표(,)로 나누어 입력하십시요. (한번에 %1개까지)")
        .arg(kMaxListingNumbers);
}

QString SearchPanel::amountNeedsTransactionText() {
    return QStringLiteral("금액으로 찾으려면 금액의 종류(매매가, 보증금, 합산금 ...)를 먼저 고르십시요.");
}

QString SearchPanel::freeValueNeedsFieldText() {
    return QStringLiteral("기타 검색어로 찾을 항목(호수, 지번, 비고 ...)을 먼저 고르십시요.");
}

QString SearchPanel::lotWithFreeFieldText() {
    return QStringLiteral("지번과 기타 검색어는 함께 찾을 수 없습니다. 한쪽을 비우십시요.");
}

QLineEdit* SearchPanel::lineBox(const char* name) {
    auto* box = new QLineEdit(this);
    box->setObjectName(QLatin1String(name));
    connect(box, &QLineEdit::returnPressed, this, &SearchPanel::searchRequested);
    return box;
}

QComboBox* SearchPanel::comboBox(const char* name) {
    auto* box = new QComboBox(this);
    box->setObjectName(QLatin1String(name));
    return box;
}

void SearchPanel::buildBoxes() {
    m_hdnTbname = comboBox("hdnTbname");
    m_hdnTbname->addItem(allTypes());
    m_hdnTbname->addItems(propertyTypeCodes());
    m_hdnTbname->hide();
    m_hdnTbcode = new QLabel(this);
    m_hdnTbcode->setObjectName(QStringLiteral("hdnTbcode"));
    m_hdnTbcode->hide();
    m_lblTy = new QLabel(this);
    m_lblTy->setObjectName(QStringLiteral("lblTy"));
    m_lblTy->hide();
    m_lblTB = new QLabel(this);
    m_lblTB->setObjectName(QStringLiteral("lblTB"));

    m_cboTy = comboBox("cboTy");
    for (const TransactionEntry& entry : transactionEntries())
        m_cboTy->addItem(entry.caption, entry.transaction);
    m_addr1 = comboBox("addr1");
    m_addr2 = comboBox("addr2");
    m_addr3 = comboBox("addr3");
    m_addr4 = lineBox("addr4");
    m_addr4->setPlaceholderText(QStringLiteral("지번"));
    m_cboName = comboBox("cboName");
    m_cboName->setEditable(true);
    m_cboName->setInsertPolicy(QComboBox::NoInsert);

    m_amount = {lineBox("money1"), lineBox("money2"), QStringLiteral("금액")};
    m_rent = {lineBox("money3"), lineBox("money4"), QStringLiteral("월세")};
    m_area = {lineBox("pyung1"), lineBox("pyung2"), QStringLiteral("평형")};
    m_usable = {lineBox("pyung3"), lineBox("pyung4"), QStringLiteral("실평")};
    m_rooms = {lineBox("room1"), lineBox("room2"), QStringLiteral("방")};

    auto* ming = new ChoiceCombo(this);
    ming->setObjectName(QStringLiteral("ming"));
    ming->setBeforePopup([this] { fillProgress(); });
    m_ming = ming;
    combo::refill(m_ming, progressPlaceholder());
    m_keyword = lineBox("Keyword");
    m_keyword->setPlaceholderText(QStringLiteral("검색키워드"));
    m_txtTidx = lineBox("txtTidx");
    m_txtTidx->setPlaceholderText(QStringLiteral("12, 15, 20"));
    m_sGita = comboBox("s_gita");
    combo::refill(m_sGita, freeFieldPlaceholder(), freeFieldCaptions());
    m_sGitaText = lineBox("s_gitaText");

    m_cmdSearch = new QPushButton(QStringLiteral("검색"), this);
    m_cmdSearch->setObjectName(QStringLiteral("cmdSearch"));
    m_cmdCancel = new QPushButton(QStringLiteral("초기화"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(m_cmdSearch, &QPushButton::clicked, this, &SearchPanel::searchRequested);
    connect(m_cmdCancel, &QPushButton::clicked, this, &SearchPanel::clear);
}

void SearchPanel::buildLayout() {
    auto* grid = new QGridLayout(this);
    int row = 0;
    const auto wide = [&](QWidget* left, QWidget* right) {
        grid->addWidget(left, row, 0, 1, right ? 2 : 4);
        if (right)
            grid->addWidget(right, row, 2, 1, 2);
        ++row;
    };
    const auto range = [&](const Range& r) {
        grid->addWidget(new QLabel(r.caption, this), row, 0);
        grid->addWidget(r.from, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("~"), this), row, 2);
        grid->addWidget(r.to, row, 3);
        ++row;
    };
    wide(m_lblTB, m_cboTy);
    wide(m_addr1, m_addr2);
    wide(m_addr3, m_addr4);
    wide(m_cboName, nullptr);
    for (const Range& r : {m_amount, m_rent, m_area, m_usable, m_rooms})
        range(r);
    wide(m_ming, nullptr);
    wide(m_keyword, nullptr);
    grid->addWidget(new QLabel(QStringLiteral("번호"), this), row, 0);
    grid->addWidget(m_txtTidx, row++, 1, 1, 3);
    wide(m_sGita, m_sGitaText);
    wide(m_cmdSearch, m_cmdCancel);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(row, 1);
}

void SearchPanel::attachNumberChecks() {
    // Amounts are shown grouped by thousands; areas keep their decimals and rooms their digits.
    for (const Range& r : {m_amount, m_rent}) {
        NumericKeyCheck::attach(r.from, m_session.dialogs(), false);
        NumericKeyCheck::attach(r.to, m_session.dialogs(), false);
    }
    for (const Range& r : {m_area, m_usable, m_rooms}) {
        NumericKeyCheck::attach(r.from, m_session.dialogs(), true);
        NumericKeyCheck::attach(r.to, m_session.dialogs(), true);
    }
}

void SearchPanel::setCurrentType(const QString& tb, const QString& label, const QString& ty) {
    const QString code = isAllTypes(tb) ? allTypes() : tb;
    const int index = m_hdnTbname->findText(code);
    m_hdnTbname->setCurrentIndex(index < 0 ? 0 : index);
    m_hdnTbcode->setText(m_hdnTbname->currentText());
    m_lblTB->setText(label);
    m_lblTy->setText(ty.isEmpty() ? allTypes() : ty);
    refillNames();
}

QString SearchPanel::currentType() const {
    return m_hdnTbname->currentText();
}

QString SearchPanel::currentTransaction() const {
    return m_lblTy->text();
}

QString SearchPanel::currentLabel() const {
    return m_lblTB->text();
}

QString SearchPanel::namePlaceholder() const {
    const QString tb = currentType();
    const QString caption = nameCaption(tb);
    return caption.isEmpty() ? columnCaption(nameFilterColumn(tb)) : caption;
}

ListingChoices* SearchPanel::choices() {
    if (!m_session.listingOpen())
        return nullptr;
    if (!m_choices)
        m_choices = std::make_unique<ListingChoices>(m_session);
    return m_choices.get();
}

// Whether the names and values kept are still those of the store; a store that cannot tell is
// read again.
bool SearchPanel::isCurrent(ListingChoices& kept, const QString& label) {
    return attemptStore(m_session, label, [&] { return kept.current(); }).valueOr(false);
}

void SearchPanel::refillNames() {
    const QString tb = currentType();
    const QString label = QStringLiteral("frmMain cboName => ");
    ListingChoices* kept = choices();
    if (kept && tb == m_namesType && isCurrent(*kept, label)) {
        m_cboName->setCurrentIndex(0); // the names shown are still the type's
        return;
    }
    const auto names = attemptStore(m_session, label, [&] { return kept ? kept->names(tb) : QStringList(); });
    combo::refill(m_cboName, namePlaceholder(), names.valueOr({}));
    m_namesType = kept && names ? tb : QString();
}

void SearchPanel::fillProgress() {
    const QString label = QStringLiteral("frmMain ming => ");
    ListingChoices* kept = choices();
    if (!kept || (m_progressFilled && isCurrent(*kept, label)))
        return;
    const auto values = attemptStore(m_session, label, [&] { return kept->progressValues(); });
    if (!values)
        return;
    const QString chosen = combo::chosen(m_ming, {progressPlaceholder()});
    combo::refill(m_ming, progressPlaceholder(), *values);
    combo::selectValue(m_ming, chosen);
    m_progressFilled = true;
}

void SearchPanel::loadRegions() {
    m_regions->loadRegions();
}

void SearchPanel::presetRegion(const RegionDefault& region) {
    m_regions->setValues({region.province, region.district, region.town});
}

bool SearchPanel::readRanges(ListFilter& f, QString& error) const {
    const auto whole = [&](const Range& r, std::optional<qint64>& from, std::optional<qint64>& to) {
        return parseWholeBound(r.from->text(), from) && parseWholeBound(r.to->text(), to);
    };
    const auto decimal = [&](const Range& r, std::optional<double>& from, std::optional<double>& to) {
        return parseDecimalBound(r.from->text(), from) && parseDecimalBound(r.to->text(), to);
    };
    const std::pair<bool, QString> checks[] = {
        {whole(m_amount, f.amountFrom, f.amountTo), m_amount.caption},
        {whole(m_rent, f.rentFrom, f.rentTo), m_rent.caption},
        {decimal(m_area, f.areaFrom, f.areaTo), m_area.caption},
        {decimal(m_usable, f.usableFrom, f.usableTo), m_usable.caption},
        {parseCountBound(m_rooms.from->text(), f.roomsFrom) && parseCountBound(m_rooms.to->text(), f.roomsTo),
         m_rooms.caption},
    };
    for (const auto& [ok, caption] : checks) {
        if (!ok) {
            error = notANumberText(caption);
            return false;
        }
    }
    // The amount range lies on the column of the chosen transaction; without one it would be
    // dropped and the list would look filtered when it is not.
    if ((f.amountFrom || f.amountTo) && f.transaction == AnyTransaction) {
        error = amountNeedsTransactionText();
        return false;
    }
    if (!parseListingNumbers(m_txtTidx->text(), f.numbers)) {
        error = badNumbersText();
        return false;
    }
    return true;
}

bool SearchPanel::readFreeField(ListFilter& f, QString& error) const {
    f.freeField = freeFieldFromCaption(m_sGita->currentText());
    f.freeValue = m_sGitaText->text().trimmed();
    if (f.freeValue.isEmpty())
        f.freeField = FreeField::None;
    else if (f.freeField == FreeField::None) {
        error = freeValueNeedsFieldText();
        return false;
    }
    // The lot box searches the lot number through the same free-field filter.
    const QString lot = m_addr4->text().trimmed();
    if (lot.isEmpty())
        return true;
    if (f.freeField != FreeField::None) {
        error = lotWithFreeFieldText();
        return false;
    }
    f.freeField = FreeField::Lot;
    f.freeValue = lot;
    return true;
}

SearchInput SearchPanel::read() const {
    ListFilter f;
    f.tb = currentType();
    f.transaction = m_cboTy->currentData().toInt();
    f.progress = combo::chosen(m_ming, {progressPlaceholder()});
    f.keyword = m_keyword->text().trimmed();
    const RegionValues region = m_regions->values();
    f.addr1 = region.addr1;
    f.addr2 = region.addr2;
    f.addr3 = region.addr3;
    f.name = combo::chosen(m_cboName, {namePlaceholder()}).trimmed();
    SearchInput input;
    if (readRanges(f, input.error) && readFreeField(f, input.error))
        input.filter = f;
    return input;
}

std::optional<ListFilter> SearchPanel::readOrTell() {
    SearchInput input = read();
    if (!input.ok())
        m_session.dialogs().message(input.error, messageTitle(), DialogIcon::Information, DialogButtons::Ok);
    return input.filter;
}

void SearchPanel::clear() {
    m_cboTy->setCurrentIndex(0);
    m_regions->setValues({});
    m_cboName->setCurrentIndex(0);
    for (QLineEdit* box : {m_addr4, m_keyword, m_txtTidx, m_sGitaText})
        box->clear();
    for (const Range& r : {m_amount, m_rent, m_area, m_usable, m_rooms}) {
        r.from->clear();
        r.to->clear();
    }
    m_ming->setCurrentIndex(0);
    m_sGita->setCurrentIndex(0);
}

} // namespace teran
