#include "frmSetingColor.h"
#include "SaveCloseRow.h"

#include "core/maintenance/SettingsActions.h"
#include "core/session/Session.h"
#include "ui/widgets/ColorNumber.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/NumericKeyCheck.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

constexpr int kPreviewRows = 7;
const QString kSampleText = QStringLiteral("글씨색깔선택");

} // namespace

frmSetingColor::frmSetingColor(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_date(new QButtonGroup(this))
    , m_days(named(new QComboBox(this), "cboDate"))
    , m_sample(named(new QLabel(kSampleText, this), "lblccc"))
    , m_bold(named(new QCheckBox(QStringLiteral("굵게"), this), "chkBold"))
    , m_preview(named(new QTreeWidget(this), "lvSeting")) {
    setObjectName(QStringLiteral("frmSetingColor"));
    setWindowTitle(QStringLiteral("목록 색상설정"));
    auto* layout = new QVBoxLayout(this);

    auto* when = new QGroupBox(QStringLiteral("기준일"), this);
    auto* whenRow = new QHBoxLayout(when);
    const QStringList captions{QStringLiteral("수정일"), QStringLiteral("등록일")};
    for (int i = 0; i < captions.size(); ++i) {
        auto* option = new QRadioButton(captions.at(i), when);
        option->setObjectName(QStringLiteral("optDate_%1").arg(i));
        m_date->addButton(option, i);
        whenRow->addWidget(option);
    }
    m_days->setEditable(true);
    for (const char* days : {"1", "3", "7", "15", "30", "60", "90"})
        m_days->addItem(QLatin1String(days));
    m_days->setCurrentIndex(-1);
    // room for three digits whatever the items, the style and the font (a rule of 120 days)
    m_days->setMinimumContentsLength(3);
    m_days->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    NumericKeyCheck::attach(m_days->lineEdit(), m_session.dialogs(), true);
    whenRow->addWidget(m_days);
    whenRow->addWidget(new QLabel(QStringLiteral("일 이상 지난 매물"), when));
    whenRow->addStretch();
    layout->addWidget(when);

    layout->addWidget(buildSwatches());
    auto* sampleRow = new QHBoxLayout;
    sampleRow->addWidget(m_sample);
    sampleRow->addStretch();
    sampleRow->addWidget(m_bold);
    layout->addLayout(sampleRow);

    m_preview->setColumnCount(2);
    m_preview->setHeaderLabels({QStringLiteral("번호"), QStringLiteral("미리보기")});
    m_preview->setRootIsDecorated(false);
    layout->addWidget(m_preview, 1);

    addSaveCloseRow(layout, this, [this] { cmdSave_Click(); });
    connect(m_bold, &QCheckBox::toggled, this, &frmSetingColor::rebuildPreview);

    showRule(SettingsActions(m_session).colorRule());
}

QWidget* frmSetingColor::buildSwatches() {
    auto* group = new QGroupBox(QStringLiteral("글씨색"), this);
    auto* row = new QHBoxLayout(group);
    const QList<quint32> swatches = SettingsActions::swatches();
    for (int i = 0; i < swatches.size(); ++i) {
        auto* swatch = new QPushButton(group);
        swatch->setObjectName(QStringLiteral("lblColor_%1").arg(i));
        swatch->setAutoDefault(false);
        swatch->setFixedSize(26, 26);
        swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid #888;")
                                  .arg(colorOfNumber(swatches.at(i)).name()));
        row->addWidget(swatch);
        connect(swatch, &QPushButton::clicked, this, [this, i] { lblColor_Click(i); });
    }
    row->addStretch();
    return group;
}

ColorRule frmSetingColor::rule() const {
    ColorRule rule;
    rule.date = m_date->checkedId() == 1 ? AgeDate::Registered : AgeDate::Changed;
    rule.colorNumber = m_color;
    rule.days = SettingsActions::daysOf(m_days->currentText());
    rule.bold = m_bold->isChecked();
    return rule;
}

void frmSetingColor::showRule(const ColorRule& rule) {
    m_date->button(rule.date == AgeDate::Registered ? 1 : 0)->setChecked(true);
    m_color = rule.colorNumber.value_or(0);
    m_days->setEditText(rule.days ? QString::number(*rule.days) : QString());
    m_bold->setChecked(rule.bold);
    rebuildPreview();
}

void frmSetingColor::lblColor_Click(int index) {
    const QList<quint32> swatches = SettingsActions::swatches();
    if (index < 0 || index >= swatches.size())
        return;
    m_color = swatches.at(index);
    rebuildPreview();
}

void frmSetingColor::rebuildPreview() {
    const QColor color = colorOfNumber(m_color);
    QFont font = m_preview->font();
    font.setBold(m_bold->isChecked());
    QPalette palette = m_sample->palette();
    palette.setColor(QPalette::WindowText, color);
    m_sample->setPalette(palette);
    m_sample->setFont(font);
    m_preview->clear();
    for (int i = 1; i <= kPreviewRows; ++i) {
        auto* item = new QTreeWidgetItem(m_preview, {QString::number(i), kSampleText});
        for (int column = 0; column < 2; ++column) {
            item->setForeground(column, color);
            item->setFont(column, font);
        }
    }
}

bool frmSetingColor::cmdSave_Click() {
    return SettingsActions(m_session).saveColorRule(rule());
}

} // namespace teran
