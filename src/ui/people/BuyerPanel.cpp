#include "BuyerPanel.h"

#include "PersonFields.h"
#include "core/contracts/NumberKeyCheck.h"
#include "core/listing/PropertyTypes.h"
#include "core/session/NumberText.h"
#include "core/session/Session.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/NumericKeyCheck.h"
#include "ui/widgets/RegionCascade.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace teran {

namespace {

// An editable range box offering `presets` as "#,##0".
QComboBox* rangeBox(QWidget* parent, const QString& name, const QList<qint64>& presets, Dialogs& dialogs) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    for (qint64 value : presets)
        box->addItem(formatAmount(value));
    box->setCurrentIndex(-1);
    NumericKeyCheck::attach(box->lineEdit(), dialogs, false);
    return box;
}

void offer(QComboBox* box, const QList<qint64>& presets) {
    const QString typed = box->currentText();
    box->clear();
    for (qint64 value : presets)
        box->addItem(formatAmount(value));
    box->setCurrentText(typed);
}

// The whole number a box shows; null when it is empty.
QVariant boxValue(const QComboBox* box) {
    const QString digits = NumberKeyCheck::amountDigits(box->currentText());
    return digits.isEmpty() ? QVariant() : QVariant(digits.toLongLong());
}

qint64 boxAmount(const QComboBox* box) {
    return boxValue(box).toLongLong();
}

void showAmount(QComboBox* box, double value) {
    box->setCurrentText(value > 0 ? formatAmount(qint64(value)) : QString());
}

} // namespace

BuyerPanel::BuyerPanel(Session& session, QWidget* parent)
    : QGroupBox(parent)
    , m_session(session) {
    setObjectName(QStringLiteral("pic_bod"));
    QWidget* panel = this;
    auto* form = new QFormLayout(panel);
    m_group = personCombo(panel, "groupin", true);
    m_jubsu = personCombo(panel, "jubsu", true);
    m_jubsu->addItems(
        {QStringLiteral("방문"), QStringLiteral("전화"), QStringLiteral("인터넷"), QStringLiteral("소개")});
    m_jubsu->setCurrentIndex(-1);
    m_name = personField(panel, "txtName");
    m_email = personField(panel, "email");
    m_homtel = personField(panel, "homtel");
    m_hantel = personField(panel, "hantel");
    m_office = personField(panel, "office");
    m_fax = personField(panel, "fax");
    m_addr4 = personField(panel, "addr4");
    m_tb = personCombo(panel, "cboTb", false);
    for (const PropertyType& type : propertyTypes())
        m_tb->addItem(type.label);
    m_tb->addItem(QStringLiteral("기타"));
    m_ty = personCombo(panel, "cboTy", false);
    m_ty->addItems(BuyerRegister::transactions());
    m_bigo = personField(panel, "bigo");
    m_private = named(new QCheckBox(QStringLiteral("비공개"), panel), "opidMaesu");
    form->addRow(QStringLiteral("그룹"), m_group);
    form->addRow(QStringLiteral("접수방법"), m_jubsu);
    form->addRow(QStringLiteral("의뢰자"), m_name);
    form->addRow(QStringLiteral("이메일"), m_email);
    form->addRow(QStringLiteral("집전화"), m_homtel);
    form->addRow(QStringLiteral("핸드폰"), m_hantel);
    form->addRow(QStringLiteral("사무실"), m_office);
    form->addRow(QStringLiteral("팩스"), m_fax);
    form->addRow(QStringLiteral("주소"), addressRow(panel, m_addr4, {}));
    form->addRow(QStringLiteral("희망지역"),
                 addressRow(panel, nullptr,
                            {QStringLiteral("addre1"), QStringLiteral("addre2"), QStringLiteral("addre3")}));
    auto* kind = new QHBoxLayout;
    kind->addWidget(m_tb);
    kind->addWidget(m_ty);
    form->addRow(QStringLiteral("종목/형태"), kind);
    form->addRow(buildRanges());
    form->addRow(QStringLiteral("비고"), m_bigo);
    form->addRow(m_private);
    m_region = RegionCascade::attach(m_session, panel);
    m_wanted = RegionCascade::attach(
        m_session, panel, {QStringLiteral("addre1"), QStringLiteral("addre2"), QStringLiteral("addre3")});
    for (RegionCascade* cascade : {m_region, m_wanted})
        if (cascade)
            cascade->loadRegions();
    connect(m_tb, &QComboBox::currentTextChanged, this, &BuyerPanel::layOutRanges);
    connect(m_ty, &QComboBox::currentTextChanged, this, &BuyerPanel::layOutRanges);
    layOutRanges();
}

QWidget* BuyerPanel::buildRanges() {
    auto* holder = new QWidget(this);
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    const QList<qint64> areas = BuyerRegister::areaPresets(QString());
    Dialogs& dialogs = m_session.dialogs();
    m_oneArea = named(new QWidget(holder), "picSp");
    auto* one = new QHBoxLayout(m_oneArea);
    one->setContentsMargins(0, 0, 0, 0);
    one->addWidget(new QLabel(QStringLiteral("평형"), m_oneArea));
    for (int i = 0; i < 2; ++i)
        one->addWidget(m_sp[i] = rangeBox(m_oneArea, QStringLiteral("Sp%1").arg(i + 1), areas, dialogs));
    m_twoAreas = named(new QWidget(holder), "picSlp");
    auto* two = new QGridLayout(m_twoAreas);
    two->setContentsMargins(0, 0, 0, 0);
    two->addWidget(new QLabel(QStringLiteral("대지"), m_twoAreas), 0, 0);
    two->addWidget(new QLabel(QStringLiteral("건물"), m_twoAreas), 1, 0);
    for (int i = 0; i < 4; ++i)
        two->addWidget(m_slp[i] = rangeBox(m_twoAreas, QStringLiteral("Slp%1").arg(i + 1), areas, dialogs),
                       i / 2, 1 + i % 2);
    auto* amounts = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_smCaption[i] = new QLabel(holder);
        m_smCaption[i]->setObjectName(QStringLiteral("lblSm%1").arg(i + 1));
        m_sm[i] =
            rangeBox(holder, QStringLiteral("Sm%1").arg(i + 1), BuyerRegister::amountPresets(), dialogs);
        amounts->addWidget(m_smCaption[i], i / 2, 0 + (i % 2) * 2);
        amounts->addWidget(m_sm[i], i / 2, 1 + (i % 2) * 2);
    }
    column->addWidget(m_oneArea);
    column->addWidget(m_twoAreas);
    column->addLayout(amounts);
    return holder;
}

bool BuyerPanel::twoAreas() const {
    return wantsLandAndBuilding(m_tb->currentText());
}

void BuyerPanel::layOutRanges() {
    const bool land = twoAreas();
    m_oneArea->setVisible(!land);
    m_twoAreas->setVisible(land);
    const QList<qint64> areas = BuyerRegister::areaPresets(m_tb->currentText());
    for (QComboBox* box : m_sp)
        offer(box, areas);
    const QString ty = m_ty->currentText();
    const bool rent = ty == QStringLiteral("월세");
    m_smCaption[0]->setText(BuyerRegister::amountCaption(ty));
    m_smCaption[2]->setText(QStringLiteral("월세"));
    for (int i : {1, 3})
        m_smCaption[i]->setText(QStringLiteral("~"));
    for (int i = 2; i < 4; ++i) {
        m_smCaption[i]->setVisible(rent);
        m_sm[i]->setVisible(rent);
    }
}

void BuyerPanel::showBuyer(const Buyer& b) {
    m_group->setCurrentText(b.contact.groupin);
    m_jubsu->setCurrentText(b.jubsu);
    showContact({m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4}, b.contact);
    if (m_region)
        m_region->setValues({b.contact.addr1, b.contact.addr2, b.contact.addr3});
    if (m_wanted)
        m_wanted->setValues({b.addre1, b.addre2, b.addre3});
    m_tb->setCurrentText(b.tb);
    m_ty->setCurrentText(b.ty);
    layOutRanges();
    QComboBox* const* areas = twoAreas() ? m_slp : m_sp;
    showAmount(areas[0], b.area.from);
    showAmount(areas[1], b.area.to);
    showAmount(m_slp[2], b.building.from);
    showAmount(m_slp[3], b.building.to);
    showAmount(m_sm[0], double(b.amount.from));
    showAmount(m_sm[1], double(b.amount.to));
    showAmount(m_sm[2], double(b.rent.from));
    showAmount(m_sm[3], double(b.rent.to));
    m_bigo->setText(b.bigo);
    const PrivacyMark mark = privacyMarkOf(b, m_session.state().LoginId, m_session.state().OfficeMainId);
    m_private->setChecked(mark.ticked);
    m_private->setEnabled(mark.enabled);
    m_privateOwner = mark.owner;
}

void BuyerPanel::clear() {
    for (QLineEdit* box : {m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4, m_bigo})
        box->clear();
    m_group->setCurrentText(QString());
    m_jubsu->setCurrentText(QString());
    for (RegionCascade* cascade : {m_region, m_wanted})
        if (cascade)
            cascade->setValues({});
    for (QComboBox* box :
         {m_sp[0], m_sp[1], m_slp[0], m_slp[1], m_slp[2], m_slp[3], m_sm[0], m_sm[1], m_sm[2], m_sm[3]})
        box->setCurrentText(QString());
    m_private->setChecked(false);
    m_private->setEnabled(true);
    m_privateOwner.clear();
}

Buyer BuyerPanel::buyer() const {
    Buyer b;
    b.contact = contactOf({m_name, m_email, m_homtel, m_hantel, m_office, m_fax, m_addr4}, m_group, m_region);
    b.jubsu = m_jubsu->currentText().trimmed();
    const RegionValues wanted = m_wanted ? m_wanted->values() : RegionValues();
    b.addre1 = wanted.addr1;
    b.addre2 = wanted.addr2;
    b.addre3 = wanted.addr3;
    b.tb = m_tb->currentText();
    b.ty = m_ty->currentText();
    QComboBox* const* areas = twoAreas() ? m_slp : m_sp;
    b.area = {double(boxAmount(areas[0])), double(boxAmount(areas[1]))};
    b.building = {double(boxAmount(m_slp[2])), double(boxAmount(m_slp[3]))};
    b.amount = {boxAmount(m_sm[0]), boxAmount(m_sm[1])};
    b.rent = {boxAmount(m_sm[2]), boxAmount(m_sm[3])};
    b.bigo = m_bigo->text().trimmed();
    b.privateTo = m_privateOwner;
    return b;
}

BuyerSearch BuyerPanel::search() const {
    BuyerSearch s;
    s.fields = buyer();
    const bool land = twoAreas();
    s.areaFrom = boxValue(land ? m_slp[0] : m_sp[0]);
    s.areaTo = boxValue(land ? m_slp[1] : m_sp[1]);
    if (land) {
        s.buildingFrom = boxValue(m_slp[2]);
        s.buildingTo = boxValue(m_slp[3]);
    }
    s.amountFrom = boxValue(m_sm[0]);
    s.amountTo = boxValue(m_sm[1]);
    s.rentFrom = boxValue(m_sm[2]);
    s.rentTo = boxValue(m_sm[3]);
    return s;
}

bool BuyerPanel::privateTicked() const {
    return m_private->isChecked();
}

void BuyerPanel::offerGroups(const QStringList& groups) {
    offerGroupNames(m_group, groups);
}

void BuyerPanel::focusName() {
    m_name->setFocus();
}

QString BuyerPanel::name() const {
    return m_name->text().trimmed();
}

QString BuyerPanel::mobile() const {
    return m_hantel->text().trimmed();
}

} // namespace teran
