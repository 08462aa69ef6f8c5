#include "frmSeting.h"
#include "SaveCloseRow.h"

#include "core/listing/PropertyTypes.h"
#include "core/maintenance/SettingsActions.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/RegionBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace teran {

namespace {

QString keyCaption(const QString& key) {
    const QString label = propertyTypeLabel(key);
    return label.isEmpty() ? QStringLiteral("전체") : label;
}

// The region cascade in a small modal window of its own, started at the key's region.
class RegionPicker : public QDialog {
public:
    RegionPicker(Session& session, const QString& key, const RegionDefault& start, QWidget* parent)
        : QDialog(parent)
        , m_box(new RegionBox(session, this)) {
        setObjectName(QStringLiteral("frmSetingRegion"));
        setWindowTitle(QStringLiteral("지역선택 - ") + keyCaption(key));
        m_box->cascade().loadRegions();
        m_box->setValues({start.province, start.district, start.town});
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(m_box);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
        buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("확인"));
        buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("취소"));
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
    RegionDefault region() const {
        const RegionValues v = m_box->values();
        return {v.addr1, v.addr2, v.addr3};
    }

private:
    RegionBox* m_box;
};

} // namespace

frmSeting::frmSeting(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session) {
    setObjectName(QStringLiteral("frmSeting"));
    setWindowTitle(QStringLiteral("환경설정"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(QStringLiteral("공유매물 목록이 처음 열릴 때 찾을 지역을 종목별로 정합니다."), this));
    layout->addWidget(buildKeys());
    addSaveCloseRow(
        layout, this, [this] { cmdSave_Click(); },
        [this](QBoxLayout* row) {
            QPushButton* reset =
                addButton(row, this, "cmdReset", QStringLiteral("초기화"), EnterKey::Ignored);
            connect(reset, &QPushButton::clicked, this, &frmSeting::cmdReset_Click);
        });
    showRegions(SettingsActions(m_session).regions());
}

QWidget* frmSeting::buildKeys() {
    auto* group = new QGroupBox(QStringLiteral("종목별 기본지역"), this);
    auto* grid = new QGridLayout(group);
    const QStringList keys = SettingsStore::regionKeys();
    const int perColumn = (int(keys.size()) + 1) / 2;
    const QStringList placeholders{QStringLiteral("시/도"), QStringLiteral("시/군/구"),
                                   QStringLiteral("읍/면/동")};
    for (int i = 0; i < keys.size(); ++i) {
        const QString& key = keys.at(i);
        const int row = i % perColumn;
        const int column = (i / perColumn) * 5;
        QPushButton* pick = namedButton(group, key, keyCaption(key), EnterKey::Ignored);
        pick->setToolTip(QStringLiteral("지역 선택"));
        grid->addWidget(pick, row, column);
        for (int part = 1; part <= 3; ++part) {
            auto* edit = new QLineEdit(group);
            edit->setObjectName(key + QString::number(part));
            edit->setPlaceholderText(placeholders.at(part - 1));
            m_boxes.insert(edit->objectName(), edit);
            grid->addWidget(edit, row, column + part);
        }
        if (column == 0)
            grid->setColumnMinimumWidth(4, 16);
        connect(pick, &QPushButton::clicked, this, [this, key] { pickRegion(key); });
    }
    return group;
}

QLineEdit* frmSeting::box(const QString& key, int part) const {
    return m_boxes.value(key + QString::number(part));
}

QMap<QString, RegionDefault> frmSeting::regions() const {
    QMap<QString, RegionDefault> regions;
    for (const QString& key : SettingsStore::regionKeys())
        regions.insert(key, {box(key, 1)->text().trimmed(), box(key, 2)->text().trimmed(),
                             box(key, 3)->text().trimmed()});
    return regions;
}

void frmSeting::showRegions(const QMap<QString, RegionDefault>& regions) {
    for (const QString& key : SettingsStore::regionKeys()) {
        const RegionDefault region = regions.value(key);
        box(key, 1)->setText(region.province);
        box(key, 2)->setText(region.district);
        box(key, 3)->setText(region.town);
    }
}

void frmSeting::pickRegion(const QString& key) {
    RegionPicker picker(m_session, key, regions().value(key), this);
    Q_EMIT pickerOpened(&picker);
    if (picker.result() != QDialog::Accepted && picker.exec() != QDialog::Accepted)
        return;
    const RegionDefault region = picker.region();
    box(key, 1)->setText(region.province);
    box(key, 2)->setText(region.district);
    box(key, 3)->setText(region.town);
}

void frmSeting::cmdSave_Click() {
    SettingsActions(m_session).saveRegions(regions());
}

void frmSeting::cmdReset_Click() {
    SettingsActions actions(m_session);
    if (actions.resetRegions())
        showRegions(actions.regions());
}

} // namespace teran
