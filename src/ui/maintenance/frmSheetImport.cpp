#include "frmSheetImport.h"

#include "core/maintenance/BackupActions.h"
#include "core/maintenance/ListingCsvFields.h"
#include "ui/widgets/Named.h"
#include "ui/widgets/ProgressWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teran {

frmSheetImport::frmSheetImport(Session& session, QString path, const listingCsv::Preview& preview,
                               QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_path(std::move(path))
    , m_rows(named(new QTableWidget(this), "lvPreview")) {
    setObjectName(QStringLiteral("frmSheetImport"));
    setWindowTitle(QStringLiteral("CSV 매물 가져오기"));
    resize(900, 480);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        QStringLiteral("%1\r\n매물 %2건 · 열마다 들어갈 항목을 고르십시요 (종목은 꼭, 거래가 없으면 금액으로 "
                       "정합니다).")
            .arg(m_path)
            .arg(preview.rowCount),
        this));
    const int columns = int(preview.header.size());
    m_rows->setColumnCount(columns);
    m_rows->setRowCount(int(preview.rows.size()) + 1);
    m_rows->setHorizontalHeaderLabels(preview.header);
    m_rows->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int c = 0; c < columns; ++c) {
        auto* target = new QComboBox(m_rows);
        target->setObjectName(QStringLiteral("cboColumn_%1").arg(c));
        target->addItem(QStringLiteral("(가져오지 않음)"), QString());
        for (const QString& caption : listingCsv::fieldCaptions())
            target->addItem(caption, caption);
        target->setCurrentIndex(qMax(0, target->findData(preview.proposed.value(c))));
        m_rows->setCellWidget(0, c, target);
        m_targets << target;
        for (int r = 0; r < preview.rows.size(); ++r)
            m_rows->setItem(r + 1, c, new QTableWidgetItem(preview.rows.at(r).value(c)));
    }
    m_rows->horizontalHeader()->setDefaultSectionSize(140);
    layout->addWidget(m_rows, 1);
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    QPushButton* run = addButton(actions, this, "cmdImport", QStringLiteral("가져오기"), EnterKey::Ignored);
    QPushButton* close = addButton(actions, this, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    layout->addLayout(actions);
    connect(run, &QPushButton::clicked, this, [this] { cmdImport_Click(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

QStringList frmSheetImport::mapping() const {
    QStringList columns;
    for (const QComboBox* target : m_targets)
        columns << target->currentData().toString();
    return columns;
}

bool frmSheetImport::cmdImport_Click() {
    ProgressWindow progress(this, windowTitle(), QString());
    if (!BackupActions(m_session).importFile(m_path, mapping(),
                                             [&](qint64 done) { return progress.step(done, 0); }))
        return false;
    accept();
    return true;
}

} // namespace teran
