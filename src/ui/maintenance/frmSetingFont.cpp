#include "frmSetingFont.h"
#include "SaveCloseRow.h"

#include "core/maintenance/SettingsActions.h"
#include "ui/widgets/Named.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

namespace {

constexpr int kPreviewRows = 4;

} // namespace

frmSetingFont::frmSetingFont(Session& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_sizes(named(new QComboBox(this), "SetFont"))
    , m_preview(named(new QTreeWidget(this), "lvSeting")) {
    setObjectName(QStringLiteral("frmSetingFont"));
    setWindowTitle(QStringLiteral("글꼴설정"));
    for (int points : SettingsActions::fontSizes())
        m_sizes->addItem(QString::number(points), points);
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("목록 글꼴 크기"), this));
    row->addWidget(m_sizes);
    row->addStretch();
    layout->addLayout(row);
    m_preview->setColumnCount(1);
    m_preview->setHeaderLabels({QStringLiteral("미리보기")});
    m_preview->setRootIsDecorated(false);
    layout->addWidget(m_preview, 1);
    addSaveCloseRow(layout, this, [this] { cmdSave_Click(); });
    connect(m_sizes, &QComboBox::currentIndexChanged, this, &frmSetingFont::rebuildPreview);
    choose(SettingsActions(m_session).fontSize());
}

int frmSetingFont::chosenSize() const {
    return m_sizes->currentData().toInt();
}

// A stored size the list does not offer (set by an older program) is offered too.
void frmSetingFont::choose(int points) {
    int index = m_sizes->findData(points);
    if (index < 0) {
        m_sizes->addItem(QString::number(points), points);
        index = m_sizes->count() - 1;
    }
    m_sizes->setCurrentIndex(index);
    rebuildPreview();
}

void frmSetingFont::rebuildPreview() {
    QFont font = m_preview->font();
    font.setPointSize(chosenSize() > 0 ? chosenSize() : font.pointSize());
    m_preview->clear();
    for (int i = 0; i < kPreviewRows; ++i) {
        auto* item = new QTreeWidgetItem(m_preview, {QStringLiteral("글씨크기선택")});
        item->setFont(0, font);
    }
}

bool frmSetingFont::cmdSave_Click() {
    if (!SettingsActions(m_session).saveFontSize(chosenSize()))
        return false;
    accept();
    return true;
}

} // namespace teran
