#include "ContractPanel.h"

#include "core/listings/ListCellFormat.h"

#include "AmountField.h"
#include "core/contracts/BrokerageFee.h"
#include "core/contracts/ContractPage.h"
#include "core/contracts/ResidentNumber.h"
#include "core/listings/AutoMoney.h"
#include "core/register/AddressPick.h"
#include "core/session/Session.h"

#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace teran {

namespace {

QComboBox* dateCombo(const QString& name, int first, int last, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->addItem(QString());
    for (int v = first; v <= last; ++v)
        box->addItem(QString::number(v));
    return box;
}

void choose(QComboBox* box, const QString& value) {
    int at = box->findText(value);
    if (at < 0) { // a value the list does not offer (an old year) still shows
        box->addItem(value);
        at = box->count() - 1;
    }
    box->setCurrentIndex(at);
}

QString text(const QLineEdit* box) {
    return box ? box->text().trimmed() : QString();
}

QString digitsOf(const QString& number) {
    QString out;
    for (const QChar c : number)
        if (!c.isSpace() && c != QLatin1Char('-'))
            out += c;
    return out;
}

struct AmountRow {
    const char* caption;
    int date; // -1: no date of payment
    const char* receiptButton;
    const char* receiptType;
};

const AmountRow kSaleRows[] = {
    {"매매대금", -1, "cmdRecM", "매매대금"},     {"융자금", -1, "cmdRecY", "융자금"},
    {"계약금", -1, "cmdRecG", "계약금"},         {"1차 중도금", 0, "cmdRecJ1", "1차 중도금"},
    {"2차 중도금", 1, "cmdRecJ2", "2차 중도금"}, {"잔금", 2, "cmdRecO", "잔금"}};
// The rent's receipt says what it is for: a receipt of "잔금" would be taken for the balance's.
const AmountRow kLeaseRows[] = {{"보증금", -1, "cmdRecJb", "보증금"},
                                {"계약금", -1, "cmdRecJg", "계약금"},
                                {"중도금", 0, "cmdRecJj", "중도금"},
                                {"잔금", 1, "cmdRecJo", "잔금"},
                                {"월세(차임)", -1, "Command1", "월세"}};

} // namespace

void DateBoxes::set(const ContractDate& date) {
    choose(year, date.year);
    choose(month, date.month);
    choose(day, date.day);
}

ContractDate DateBoxes::get() const {
    return {year->currentText(), month->currentText(), day->currentText()};
}

ContractPanel::ContractPanel(Session& session, bool lease, QWidget* parent)
    : QWidget(parent)
    , m_session(session)
    , m_lease(lease)
    , m_prefix(lease ? QLatin1Char('J') : QLatin1Char('M')) {
    setObjectName(lease ? QStringLiteral("picGaeyakJ") : QStringLiteral("picGaeyakM"));
    auto* column = new QVBoxLayout(this);
    column->addWidget(buildLocation());
    column->addWidget(buildProperty());
    column->addWidget(buildAmounts());
    column->addWidget(buildParties());
    column->addWidget(buildOthers());
    column->addStretch();
}

QString ContractPanel::name(const char* suffix) const {
    return QString(m_prefix) + QLatin1String(suffix);
}

QLineEdit* ContractPanel::line(const QString& objectName, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(objectName);
    return box;
}

QWidget* ContractPanel::buildLocation() {
    auto* group = new QGroupBox(QStringLiteral("부동산의 표시"), this);
    auto* grid = new QGridLayout(group);
    const char* hints[] = {"지역", "시/군/구", "읍/면/동"};
    auto* parts = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_adr[size_t(i)] = new QLabel(QString::fromUtf8(hints[i]), group);
        m_adr[size_t(i)]->setObjectName(name("adr") + QString::number(i + 1));
        m_adr[size_t(i)]->setProperty("placeholder", QString::fromUtf8(hints[i]));
        m_adr[size_t(i)]->setFrameShape(QFrame::StyledPanel);
        m_adr[size_t(i)]->setMinimumWidth(80);
        parts->addWidget(m_adr[size_t(i)]);
    }
    m_adr4 = line(name("adr4"), group);
    m_adr4->setPlaceholderText(detailPlaceholder());
    parts->addWidget(m_adr4, 1);
    auto* search = new QPushButton(QStringLiteral("주소검색"), group);
    search->setObjectName(name("cmdaddress"));
    parts->addWidget(search);
    grid->addWidget(new QLabel(QStringLiteral("소재지"), group), 0, 0);
    grid->addLayout(parts, 0, 1);
    m_address = line(QStringLiteral("address") + m_prefix, group);
    m_address->setReadOnly(true);
    grid->addWidget(m_address, 1, 1);
    connect(search, &QPushButton::clicked, this, [this] { Q_EMIT addressRequested(name("address")); });
    connect(m_adr4, &QLineEdit::textChanged, this, &ContractPanel::composeAddress);
    return group;
}

void ContractPanel::composeAddress() {
    m_address->setText(joinedAddress(location()));
}

QStringList ContractPanel::location() const {
    QStringList parts;
    for (const QLabel* label : m_adr)
        parts << (label->text() == label->property("placeholder").toString() ? QString() : label->text());
    parts << text(m_adr4);
    return parts;
}

bool ContractPanel::locationMissing() const {
    const QStringList parts = location();
    return parts[0].isEmpty() || parts[1].isEmpty() || parts[2].isEmpty();
}

QWidget* ContractPanel::buildProperty() {
    auto* group = new QGroupBox(QStringLiteral("토지 및 건물"), this);
    auto* grid = new QGridLayout(group);
    m_jimok = line(name("jimok"), group);
    m_gujo = line(name("gujo"), group);
    m_ydo = line(name("ydo"), group);
    const int areas = m_lease ? 6 : 4;
    for (int i = 0; i < areas; ++i) {
        m_pyung[size_t(i)] = line(name("pyung") + QString::number(i + 1), group);
        if (i % 2 == 1)
            m_pyung[size_t(i)]->setReadOnly(true);
    }
    // Typing ㎡ fills the 평 box to its right.
    for (int i = 0; i < areas; i += 2)
        connect(m_pyung[size_t(i)], &QLineEdit::textEdited, this, [this, i](const QString& metres) {
            if (const std::optional<QString> pyeong = pyungTwoDecimalsOf(metres))
                m_pyung[size_t(i + 1)]->setText(*pyeong);
            else if (metres.trimmed().isEmpty())
                m_pyung[size_t(i + 1)]->clear();
        });
    const auto areaRow = [&](int row, const QString& caption, int first) {
        grid->addWidget(new QLabel(caption, group), row, 2);
        auto* pair = new QHBoxLayout;
        pair->addWidget(m_pyung[size_t(first)]);
        pair->addWidget(new QLabel(QStringLiteral("㎡"), group));
        pair->addWidget(m_pyung[size_t(first + 1)]);
        pair->addWidget(new QLabel(QStringLiteral("평"), group));
        grid->addLayout(pair, row, 3);
    };
    grid->addWidget(new QLabel(QStringLiteral("지목"), group), 0, 0);
    grid->addWidget(m_jimok, 0, 1);
    areaRow(0, QStringLiteral("토지면적"), 0);
    grid->addWidget(new QLabel(QStringLiteral("구조"), group), 1, 0);
    grid->addWidget(m_gujo, 1, 1);
    areaRow(1, QStringLiteral("건물면적"), 2);
    grid->addWidget(new QLabel(QStringLiteral("용도"), group), 2, 0);
    grid->addWidget(m_ydo, 2, 1);
    if (m_lease) {
        m_bubun = line(QStringLiteral("Jbubun"), group);
        grid->addWidget(new QLabel(QStringLiteral("임대할부분"), group), 3, 0);
        grid->addWidget(m_bubun, 3, 1);
        areaRow(3, QStringLiteral("면적"), 4);
    }
    return group;
}

// The box, its unit and the amount as the contract will say it.
QHBoxLayout* ContractPanel::amountCell(AmountField* field) {
    auto* cell = new QHBoxLayout;
    auto* words = new QLabel(field->parentWidget());
    words->setObjectName(field->objectName() + QStringLiteral("_words"));
    words->setMinimumWidth(170);
    field->setWordsLabel(words);
    cell->addWidget(field);
    cell->addWidget(new QLabel(AmountField::unit(), field->parentWidget()));
    cell->addWidget(words, 1);
    return cell;
}

QWidget* ContractPanel::buildAmounts() {
    auto* group =
        new QGroupBox(m_lease ? QStringLiteral("보증금 및 차임") : QStringLiteral("매매대금"), this);
    auto* grid = new QGridLayout(group);
    const int count = m_lease ? 5 : 6;
    const AmountRow* rows = m_lease ? kLeaseRows : kSaleRows;
    for (int i = 0; i < count; ++i) {
        auto* field = new AmountField(m_session, group);
        field->setObjectName(name("money_") + QString::number(i));
        m_money << field;
        grid->addWidget(new QLabel(QString::fromUtf8(rows[i].caption), group), i, 0);
        grid->addLayout(amountCell(field), i, 1);
        connect(field, &AmountField::redisplayRequested, this, &ContractPanel::redisplayRequested);
        auto* receipt = new QPushButton(QStringLiteral("영수증"), group);
        receipt->setObjectName(QLatin1String(rows[i].receiptButton));
        grid->addWidget(receipt, i, 4);
        connect(
            receipt, &QPushButton::clicked, this,
            [this, i, type = QString::fromUtf8(rows[i].receiptType)] { Q_EMIT receiptRequested(i, type); });
    }
    // Tab goes from amount to amount, as the amounts are typed one after the other.
    for (int i = 0; i + 1 < count; ++i)
        setTabOrder(m_money[i], m_money[i + 1]);
    m_won = line(name("money1"), group);
    m_won->setReadOnly(true);
    m_won->setFocusPolicy(Qt::ClickFocus);
    m_money[0]->setWonBox(m_won);
    grid->addWidget(m_won, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("원"), group), 0, 3);
    m_amountWarning = new QLabel(group);
    m_amountWarning->setObjectName(name("AmountWarning"));
    m_amountWarning->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_amountWarning->hide();
    grid->addWidget(m_amountWarning, count + 3, 0, 1, 5);
    // The balance follows the amounts it is left of; then the words follow every change, so
    // that the amounts as the contract says them are in sight while typing.
    const QList<int> feeding = m_lease ? QList<int>{0, 1, 2} : QList<int>{0, 2, 3, 4};
    for (int i = 0; i < count; ++i)
        connect(m_money[i], &AmountField::amountEdited, this, [this, feeds = feeding.contains(i)] {
            if (feeds)
                applyBalance();
            Q_EMIT redisplayRequested();
        });
    // Dates: of the payments beside their amounts, then handover, end and contract day.
    const int year = m_session.clock().today().year();
    for (int d = 0; d < 5; ++d) {
        const QString n = QString::number(d + 1);
        m_dates[size_t(d)] = {dateCombo(name("y") + n, year - 10, year + 10, group),
                              dateCombo(name("m") + n, 1, 12, group), dateCombo(name("d") + n, 1, 31, group)};
    }
    const auto dateAt = [&](int d) {
        auto* boxes = new QHBoxLayout;
        boxes->addWidget(m_dates[size_t(d)].year);
        boxes->addWidget(new QLabel(QStringLiteral("년"), group));
        boxes->addWidget(m_dates[size_t(d)].month);
        boxes->addWidget(new QLabel(QStringLiteral("월"), group));
        boxes->addWidget(m_dates[size_t(d)].day);
        boxes->addWidget(new QLabel(QStringLiteral("일"), group));
        return boxes;
    };
    for (int i = 0; i < count; ++i)
        if (rows[i].date >= 0)
            grid->addLayout(dateAt(rows[i].date), i, 2);
    if (m_lease) {
        m_rentDay = dateCombo(QStringLiteral("Wm4"), 1, 31, group);
        auto* rent = new QHBoxLayout;
        rent->addWidget(new QLabel(QStringLiteral("매월"), group));
        rent->addWidget(m_rentDay);
        rent->addWidget(new QLabel(QStringLiteral("일 지불"), group));
        grid->addLayout(rent, 4, 2);
    }
    const QStringList later = m_lease ? QStringList{QStringLiteral("인도일"), QStringLiteral("임대차 만기일"),
                                                    QStringLiteral("계약일")}
                                      : QStringList{QStringLiteral("인도일"), QStringLiteral("계약일")};
    const QList<int> laterDates = m_lease ? QList<int>{2, 3, 4} : QList<int>{3, 4};
    for (int i = 0; i < later.size(); ++i) {
        grid->addWidget(new QLabel(later[i], group), count + i, 0);
        grid->addLayout(dateAt(laterDates[i]), count + i, 2);
    }
    return group;
}

void ContractPanel::applyBalance() {
    Contract k;
    k.kind = m_lease ? ContractKind::Jeonse : ContractKind::Sale;
    for (int i = 0; i < m_money.size(); ++i)
        k.money[size_t(i)] = m_money[i]->rawValue().toLongLong();
    k.computeBalance();
    AmountField* balance = m_money[m_lease ? int(lease::Balance) : int(sale::Balance)];
    balance->setRawValue(k.balance() > 0 ? QString::number(k.balance()) : QString());
    m_amountWarning->setText(k.partsExceedTotal() ? Contract::partsExceedText(k.kind) : QString());
    m_amountWarning->setVisible(k.partsExceedTotal());
}

QWidget* ContractPanel::buildParties() {
    auto* group = new QGroupBox(QStringLiteral("계약 당사자 및 중개업자"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 6; ++i) {
        m_addr[size_t(i)] = line(name("addr") + QString::number(i + 1), group);
        m_name[size_t(i)] = line(name("name") + QString::number(i + 1), group);
    }
    for (int i = 0; i < 4; ++i)
        m_tel[size_t(i)] = line(name("tel") + QString::number(i + 1), group);
    for (int i = 0; i < 2; ++i) {
        m_shop[size_t(i)] = line(name("shop") + QString::number(i + 3), group);
        m_num[size_t(i)] = line(name("num") + QString::number(i + 3), group);
    }
    const char* jumin[] = {"junim1_1", "junim1_2", "junim1_3", "junim2_1", "junim2_2", "junim2_3"};
    for (int i = 0; i < 6; ++i)
        m_jumin[size_t(i)] = line(name(jumin[i]), group);
    m_jumin[0]->setMaxLength(6);
    m_jumin[1]->setMaxLength(7);
    m_jumin[3]->setMaxLength(6);
    m_jumin[4]->setMaxLength(7);
    const QString first = m_lease ? QStringLiteral("임대인") : QStringLiteral("매도인");
    const QString second = m_lease ? QStringLiteral("임차인") : QStringLiteral("매수인");
    const QStringList heads{QStringLiteral("구분"), QStringLiteral("주소"), QStringLiteral("주민등록번호"),
                            QStringLiteral("전화"), QStringLiteral("성명"), QString()};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(new QLabel(heads[c], group), 0, c);
    const auto addressButton = [this, group](int box) {
        auto* b = new QPushButton(QStringLiteral("검색"), group);
        b->setObjectName(name("cmdaddr") + QString::number(box));
        connect(b, &QPushButton::clicked, this,
                [this, box] { Q_EMIT addressRequested(name("addr") + QString::number(box)); });
        return b;
    };
    const auto party = [&](int row, const QString& role, int addr, QWidget* number, QLineEdit* tel,
                           int nameBox) {
        grid->addWidget(new QLabel(role, group), row, 0);
        grid->addWidget(m_addr[size_t(addr)], row, 1);
        grid->addWidget(number, row, 2);
        if (tel)
            grid->addWidget(tel, row, 3);
        grid->addWidget(m_name[size_t(nameBox)], row, 4);
        grid->addWidget(addressButton(addr + 1), row, 5);
    };
    const auto pairOf = [group](QLineEdit* a, QLineEdit* b) {
        auto* w = new QWidget(group);
        auto* h = new QHBoxLayout(w);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(a);
        h->addWidget(new QLabel(QStringLiteral("-"), w));
        h->addWidget(b);
        return w;
    };
    party(1, first, 0, pairOf(m_jumin[0], m_jumin[1]), m_tel[0], 0);
    party(2, QStringLiteral("대리인"), 1, m_jumin[2], nullptr, 1);
    party(3, second, 2, pairOf(m_jumin[3], m_jumin[4]), m_tel[1], 2);
    party(4, QStringLiteral("대리인"), 3, m_jumin[5], nullptr, 3);
    const QStringList brokerHeads{QStringLiteral("중개업자"), QStringLiteral("사무소소재지"),
                                  QStringLiteral("등록번호"), QStringLiteral("전화"), QStringLiteral("대표")};
    for (int c = 0; c < brokerHeads.size(); ++c)
        grid->addWidget(new QLabel(brokerHeads[c], group), 5, c);
    for (int b = 0; b < 2; ++b) {
        const int row = 6 + b;
        auto* office = new QWidget(group);
        auto* h = new QHBoxLayout(office);
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(new QLabel(QStringLiteral("상호"), office));
        h->addWidget(m_shop[size_t(b)]);
        grid->addWidget(office, row, 0);
        grid->addWidget(m_addr[size_t(4 + b)], row, 1);
        grid->addWidget(m_num[size_t(b)], row, 2);
        grid->addWidget(m_tel[size_t(2 + b)], row, 3);
        grid->addWidget(m_name[size_t(4 + b)], row, 4);
        grid->addWidget(addressButton(5 + b), row, 5);
    }
    return group;
}

QWidget* ContractPanel::buildOthers() {
    auto* group = new QGroupBox(QStringLiteral("기타"), this);
    auto* grid = new QGridLayout(group);
    int row = 0;
    if (!m_lease) {
        m_danM = line(QStringLiteral("danM"), group);
        m_danP = line(QStringLiteral("danP"), group);
        m_bank = line(QStringLiteral("bank"), group);
        grid->addWidget(new QLabel(QStringLiteral("단가"), group), row, 0);
        grid->addWidget(m_danM, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("평당"), group), row, 2);
        grid->addWidget(m_danP, row++, 3);
        grid->addWidget(new QLabel(QStringLiteral("융자 은행"), group), row, 0);
        grid->addWidget(m_bank, row++, 1);
    }
    m_saram = line(m_lease ? QStringLiteral("Jsaram") : QStringLiteral("saram"), group);
    grid->addWidget(new QLabel(QStringLiteral("계약금 영수자"), group), row, 0);
    grid->addWidget(m_saram, row++, 1);
    m_pro = line(name("pro"), group);
    m_feeMaximum = new QLabel(group);
    m_feeMaximum->setObjectName(name("feeMaximum"));
    m_feeMaximum->setWordWrap(true);
    grid->addWidget(new QLabel(QStringLiteral("중개수수료(%)"), group), row, 0);
    grid->addWidget(m_pro, row, 1);
    grid->addWidget(m_feeMaximum, row++, 2, 1, 2);
    m_special = new QTextEdit(group);
    m_special->setObjectName(name("special"));
    m_special->setAcceptRichText(false);
    m_special->setMinimumHeight(90);
    grid->addWidget(new QLabel(QStringLiteral("특약사항"), group), row, 0);
    grid->addWidget(m_special, row, 1, 1, 3);
    return group;
}

void ContractPanel::updateFeeMaximum(ContractKind kind) {
    Contract k = read(Contract{});
    k.kind = kind;
    const std::optional<AgreedFee> fee = k.fee();
    if (!fee) {
        m_feeMaximum->clear();
        return;
    }
    m_feeMaximum->setText(feeMaximumText(*fee));
    m_feeMaximum->setProperty("above", fee->aboveMaximum);
    m_feeMaximum->setStyleSheet(fee->aboveMaximum ? QStringLiteral("color: #b00020;") : QString());
}

void ContractPanel::showContract(const Contract& k) {
    const QStringList hints{QStringLiteral("지역"), QStringLiteral("시/군/구"), QStringLiteral("읍/면/동")};
    for (int i = 0; i < 3; ++i)
        m_adr[size_t(i)]->setText(k.location[i].isEmpty() ? hints[i] : k.location[i]);
    m_adr4->setText(k.location[3]);
    composeAddress();
    m_jimok->setText(k.jimok);
    for (size_t i = 0; i < m_pyung.size(); ++i)
        if (m_pyung[i])
            m_pyung[i]->setText(k.areas[i]);
    m_gujo->setText(k.gujo);
    m_ydo->setText(k.ydo);
    if (m_bubun)
        m_bubun->setText(k.bubun);
    for (int i = 0; i < m_money.size(); ++i)
        m_money[i]->setRawValue(k.money[size_t(i)] > 0 ? QString::number(k.money[size_t(i)]) : QString());
    for (size_t d = 0; d < m_dates.size(); ++d)
        m_dates[d].set(k.dates[d]);
    if (m_rentDay)
        choose(m_rentDay, k.rentDay);
    const ContractParty* parties[] = {&k.seller, &k.sellerProxy, &k.buyer, &k.buyerProxy};
    for (int p = 0; p < 4; ++p) {
        m_addr[size_t(p)]->setText(parties[p]->address);
        m_name[size_t(p)]->setText(parties[p]->name);
    }
    m_tel[0]->setText(k.seller.phone);
    m_tel[1]->setText(k.buyer.phone);
    m_jumin[0]->setText(residentNumberFirst(k.seller.residentNumber));
    m_jumin[1]->setText(residentNumberSecond(k.seller.residentNumber));
    m_jumin[2]->setText(k.sellerProxy.residentNumber);
    m_jumin[3]->setText(residentNumberFirst(k.buyer.residentNumber));
    m_jumin[4]->setText(residentNumberSecond(k.buyer.residentNumber));
    m_jumin[5]->setText(k.buyerProxy.residentNumber);
    const ContractBroker* brokers[] = {&k.broker1, &k.broker2};
    for (int b = 0; b < 2; ++b) {
        m_addr[size_t(4 + b)]->setText(brokers[b]->address);
        m_shop[size_t(b)]->setText(brokers[b]->office);
        m_name[size_t(4 + b)]->setText(brokers[b]->representative);
        m_num[size_t(b)]->setText(brokers[b]->registration);
        m_tel[size_t(2 + b)]->setText(brokers[b]->phone);
    }
    if (m_danM) {
        m_danM->setText(k.danM);
        m_danP->setText(k.danP);
        m_bank->setText(k.bank);
    }
    m_saram->setText(k.saram);
    m_pro->setText(k.pro);
    m_special->setPlainText(k.special);
}

Contract ContractPanel::read(const Contract& base) const {
    Contract k = base;
    k.location = location();
    k.jimok = text(m_jimok);
    for (size_t i = 0; i < m_pyung.size(); ++i)
        k.areas[i] = m_pyung[i] ? text(m_pyung[i]) : QString();
    k.gujo = text(m_gujo);
    k.ydo = text(m_ydo);
    k.bubun = text(m_bubun);
    k.money.fill(0);
    for (int i = 0; i < m_money.size(); ++i)
        k.money[size_t(i)] = m_money[i]->rawValue().toLongLong();
    for (size_t d = 0; d < m_dates.size(); ++d)
        k.dates[d] = m_dates[d].get();
    k.rentDay = m_rentDay ? m_rentDay->currentText() : QString();
    ContractParty* parties[] = {&k.seller, &k.sellerProxy, &k.buyer, &k.buyerProxy};
    for (int p = 0; p < 4; ++p) {
        parties[p]->address = text(m_addr[size_t(p)]);
        parties[p]->name = text(m_name[size_t(p)]);
    }
    k.seller.phone = text(m_tel[0]);
    k.buyer.phone = text(m_tel[1]);
    k.seller.residentNumber = joinResidentNumber(text(m_jumin[0]), text(m_jumin[1]));
    k.sellerProxy.residentNumber = digitsOf(text(m_jumin[2]));
    k.buyer.residentNumber = joinResidentNumber(text(m_jumin[3]), text(m_jumin[4]));
    k.buyerProxy.residentNumber = digitsOf(text(m_jumin[5]));
    ContractBroker* brokers[] = {&k.broker1, &k.broker2};
    for (int b = 0; b < 2; ++b) {
        brokers[b]->address = text(m_addr[size_t(4 + b)]);
        brokers[b]->office = text(m_shop[size_t(b)]);
        brokers[b]->representative = text(m_name[size_t(4 + b)]);
        brokers[b]->registration = text(m_num[size_t(b)]);
        brokers[b]->phone = text(m_tel[size_t(2 + b)]);
    }
    k.danM = text(m_danM);
    k.danP = text(m_danP);
    k.bank = text(m_bank);
    k.saram = text(m_saram);
    k.pro = text(m_pro);
    k.special = m_special->toPlainText();
    return k;
}

void ContractPanel::showAmounts(MoneyNotation notation) {
    for (AmountField* field : m_money)
        field->showAmount(notation);
}

} // namespace teran
