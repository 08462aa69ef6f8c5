#include "SharingFrame.h"

#include "core/listings/ListCellFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>

namespace teran {

namespace {

QCheckBox* check(const QString& name, const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

QLineEdit* line(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

// A group of options of which none is chosen until the user chooses.
QButtonGroup* options(const QString& name, const QStringList& texts, QWidget* parent, QGridLayout* grid,
                      int row) {
    auto* group = new QButtonGroup(parent);
    for (int i = 0; i < texts.size(); ++i) {
        auto* option = new QRadioButton(texts.at(i), parent);
        option->setObjectName(QStringLiteral("%1%2").arg(name).arg(i));
        group->addButton(option, i);
        grid->addWidget(option, row, i + 1);
    }
    return group;
}

void uncheckAll(QButtonGroup* group) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

QString textOf(const QVariant& value) {
    return plainNumber(value);
}

QVariant valueOf(const QLineEdit* edit) {
    QString text = edit->text().trimmed();
    text.remove(QLatin1Char(','));
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

SharingFrame::SharingFrame(QWidget* parent)
    : QGroupBox(QStringLiteral("온라인공유설정"), parent) {
    setObjectName(QStringLiteral("fra_ie"));
    m_share = check(QStringLiteral("chkInternet"), QStringLiteral("온라인 공유"), parent);
    m_summary = new QLabel(parent);
    m_summary->setObjectName(QStringLiteral("lblie"));
    m_summary->setToolTip(QStringLiteral("클릭하시면 온라인옵션창이 열립니다."));
    m_summary->setCursor(Qt::PointingHandCursor);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("광고방법"), this), 0, 0);
    m_state = new QComboBox(this);
    m_state->setObjectName(QStringLiteral("cboState"));
    m_state->addItem(QStringLiteral("인터넷광고"), 1);
    m_state->addItem(QStringLiteral("클럽 광고"), 7);
    m_state->addItem(QStringLiteral("인+클광고"), 3);
    grid->addWidget(m_state, 0, 1, 1, 3);
    auto* grade = new QLabel(QStringLiteral("매물등급"), this);
    grade->setObjectName(QStringLiteral("lblChu"));
    grid->addWidget(grade, 1, 0);
    m_grades = options(QStringLiteral("optChu"),
                       {QStringLiteral("일반(G)"), QStringLiteral("추천(G)"), QStringLiteral("급매(G)")},
                       this, grid, 1);
    grid->addWidget(new QLabel(QStringLiteral("내 홈페이지"), this), 2, 0);
    m_ownGrades = options(
        QStringLiteral("optChumy"),
        {QStringLiteral("일반(my)"), QStringLiteral("추천(my)"), QStringLiteral("급매(my)")}, this, grid, 2);
    m_scope = new QLabel(QStringLiteral("* 소재지 공개 범위설정"), this);
    m_scope->setObjectName(QStringLiteral("lblScope"));
    grid->addWidget(m_scope, 3, 0);
    const QStringList parts{QStringLiteral("시/도"), QStringLiteral("군/구"), QStringLiteral("읍/면/동"),
                            QStringLiteral("나머지")};
    for (int i = 0; i < 4; ++i) {
        m_addr[size_t(i)] = check(QStringLiteral("chkaddr%1").arg(i + 1), parts.at(i), this);
        grid->addWidget(m_addr[size_t(i)], 4, i);
    }
    m_addr[0]->setChecked(true);
    m_addr[0]->setEnabled(false); // the region is always shown
    m_name = check(QStringLiteral("chkname"), QStringLiteral("건물명"), this);
    grid->addWidget(m_name, 5, 0);
    grid->addWidget(new QLabel(QStringLiteral("평수 (공개)"), this), 6, 0);
    m_pyung = line(QStringLiteral("pyung_ie"), this);
    m_pyungUse = line(QStringLiteral("pyung_use_ie"), this);
    grid->addWidget(m_pyung, 6, 1);
    grid->addWidget(m_pyungUse, 6, 2);
    grid->addWidget(new QLabel(QStringLiteral("층수 (공개)"), this), 7, 0);
    m_floor = line(QStringLiteral("floor_ie"), this);
    m_floorMax = line(QStringLiteral("floor_max_ie"), this);
    grid->addWidget(m_floor, 7, 1);
    grid->addWidget(m_floorMax, 7, 2);
    auto* random = new QPushButton(QStringLiteral("랜덤값넣기"), this);
    random->setObjectName(QStringLiteral("cmdRnd"));
    grid->addWidget(random, 6, 3);
    grid->addWidget(new QLabel(QStringLiteral("사진 공개"), this), 8, 0);
    m_pictures[0] = check(QStringLiteral("ieImg0"), QStringLiteral("(좌)"), this);
    m_pictures[1] = check(QStringLiteral("ieImg1"), QStringLiteral("(우)"), this);
    grid->addWidget(m_pictures[0], 8, 1);
    grid->addWidget(m_pictures[1], 8, 2);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("bigoie"));
    m_memo->setPlaceholderText(sharedMemoPlaceholder());
    m_memo->setMaximumHeight(70);
    grid->addWidget(m_memo, 9, 0, 1, 4);
    auto* close = new QPushButton(QStringLiteral("닫 기"), this);
    close->setObjectName(QStringLiteral("cmdieClose"));
    grid->addWidget(close, 10, 3);

    connect(random, &QPushButton::clicked, this, &SharingFrame::randomise);
    connect(close, &QPushButton::clicked, this, &SharingFrame::closeRequested);
    for (QButtonGroup* group : {m_grades, m_ownGrades})
        connect(group, &QButtonGroup::idClicked, this, &SharingFrame::updateSummary);
    connect(m_state, &QComboBox::currentIndexChanged, this, &SharingFrame::updateSummary);
    for (QLineEdit* edit : {m_pyung, m_pyungUse, m_floor, m_floorMax})
        connect(edit, &QLineEdit::textChanged, this, &SharingFrame::updateSummary);
    enableOptions(false);
    updateSummary();
    hide();
}

bool SharingFrame::shared() const {
    return m_share->isChecked();
}

void SharingFrame::setShared(bool shared) {
    m_share->setChecked(shared);
    enableOptions(shared);
    updateSummary();
}

void SharingFrame::setOnline(bool online) {
    m_online = online;
    m_share->setEnabled(online);
    m_share->setToolTip(online ? QString() : RegisterTexts::sharingOfflineTip());
    enableOptions(shared());
    updateSummary();
}

void SharingFrame::enableOptions(bool on) {
    const bool enabled = on && m_online;
    for (QWidget* w : findChildren<QWidget*>())
        if (w->objectName() != QLatin1String("cmdieClose") && w != m_addr[0])
            w->setEnabled(enabled);
}

bool SharingFrame::gradeChosen() const {
    return m_grades->checkedId() >= 0;
}

void SharingFrame::clearGrades() {
    uncheckAll(m_grades);
    uncheckAll(m_ownGrades);
    updateSummary();
}

Disclosure SharingFrame::disclosure() const {
    Disclosure d;
    d.state = PublicationState(m_state->currentData().toInt());
    d.hitadd = qMax(0, m_grades->checkedId());
    d.hitmem = qMax(0, m_ownGrades->checkedId());
    d.addr2 = m_addr[1]->isChecked();
    d.addr3 = m_addr[2]->isChecked();
    d.rest = m_addr[3]->isChecked();
    d.name = m_name->isChecked();
    d.picture1 = m_pictures[0]->isChecked();
    d.picture2 = m_pictures[1]->isChecked();
    return d;
}

ListingRow SharingFrame::values() const {
    const QString memo = m_memo->toPlainText().trimmed();
    return {{QStringLiteral("pyung_ie"), valueOf(m_pyung)},
            {QStringLiteral("pyung_use_ie"), valueOf(m_pyungUse)},
            {QStringLiteral("floor_ie"), valueOf(m_floor)},
            {QStringLiteral("floor_max_ie"), valueOf(m_floorMax)},
            {QStringLiteral("bigoie"), memo == sharedMemoPlaceholder() ? QString() : memo}};
}

void SharingFrame::setValues(const ListingRow& row, const std::optional<ListingRow>& sharedCopy) {
    m_pyung->setText(textOf(row.value(QStringLiteral("pyung_ie"))));
    m_pyungUse->setText(textOf(row.value(QStringLiteral("pyung_use_ie"))));
    m_floor->setText(textOf(row.value(QStringLiteral("floor_ie"))));
    m_floorMax->setText(textOf(row.value(QStringLiteral("floor_max_ie"))));
    m_memo->setPlainText(row.value(QStringLiteral("bigoie")).toString());
    const std::optional<PublicationState> state = publicationStateFrom(row.value(QStringLiteral("state")));
    if (state && isPublished(*state))
        m_state->setCurrentIndex(m_state->findData(stateValue(*state)));
    clearGrades();
    showScope(disclosureToShow(row, sharedCopy));
    if (sharedCopy) {
        if (QAbstractButton* b = m_grades->button(sharedCopy->value(QStringLiteral("hitadd")).toInt()))
            b->setChecked(true);
        if (QAbstractButton* b = m_ownGrades->button(sharedCopy->value(QStringLiteral("hitmem")).toInt()))
            b->setChecked(true);
    }
    setShared(sharedCopy.has_value());
}

void SharingFrame::showScope(const Disclosure& scope) {
    m_addr[1]->setChecked(scope.addr2);
    m_addr[2]->setChecked(scope.addr3);
    m_addr[3]->setChecked(scope.rest);
    m_name->setChecked(scope.name);
    m_pictures[0]->setChecked(scope.picture1);
    m_pictures[1]->setChecked(scope.picture2);
}

void SharingFrame::clear() {
    for (QLineEdit* edit : {m_pyung, m_pyungUse, m_floor, m_floorMax})
        edit->clear();
    m_memo->clear();
    m_state->setCurrentIndex(0);
    for (int i = 1; i < 4; ++i)
        m_addr[size_t(i)]->setChecked(true);
    m_name->setChecked(true);
    for (QCheckBox* picture : m_pictures)
        picture->setChecked(true);
    clearGrades();
    setShared(false);
}

void SharingFrame::startFrom(const QString& pyung, const QString& pyungUse, const QString& floor,
                             const QString& floorMax) {
    m_pyung->setText(pyung);
    m_pyungUse->setText(pyungUse);
    m_floor->setText(floor);
    m_floorMax->setText(floorMax);
}

void SharingFrame::showName(bool shown) {
    m_name->setVisible(shown);
    m_scope->setText(shown ? QStringLiteral("* 공개 범위") : QStringLiteral("* 소재지 공개 범위설정"));
}

void SharingFrame::showSecondArea(bool shown) {
    m_pyungUse->setVisible(shown);
}

// Areas shown to other offices a little off the real ones, so that the exact unit cannot be
// told from them.
void SharingFrame::randomise() {
    for (QLineEdit* edit : {m_pyung, m_pyungUse}) {
        bool ok = false;
        const double real = edit->text().toDouble(&ok);
        if (!ok || real <= 0)
            continue;
        const double off = real * (0.97 + 0.06 * QRandomGenerator::global()->generateDouble());
        edit->setText(QString::number(off, 'f', 1));
    }
}

void SharingFrame::updateSummary() {
    if (!m_online) {
        m_summary->setText(RegisterTexts::sharingOffline());
        return;
    }
    if (!shared()) {
        m_summary->setText(RegisterTexts::sharingSummaryOff());
        return;
    }
    const QAbstractButton* grade = m_grades->checkedButton();
    m_summary->setText(
        RegisterTexts::sharingSummary(m_state->currentText(), grade ? grade->text() : QString(),
                                      m_pyung->text() + QStringLiteral(" / ") + m_pyungUse->text(),
                                      m_floor->text() + QStringLiteral(" / ") + m_floorMax->text()));
}

} // namespace teran
