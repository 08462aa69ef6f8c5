#include "frmDetail.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace teran {

frmDetail::frmDetail(const QList<DetailField>& fields, QWidget* parent)
    : QDialog(parent)
    , m_table(new QTableWidget(int(fields.size()), 2, this)) {
    setObjectName(QStringLiteral("frmDetail"));
    setWindowTitle(titleText());
    m_table->setObjectName(QStringLiteral("lvDetail"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("항목"), QStringLiteral("내용")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < fields.size(); ++row) {
        m_table->setItem(row, 0, new QTableWidgetItem(fields.at(row).caption));
        m_table->setItem(row, 1, new QTableWidgetItem(fields.at(row).value));
    }
    m_table->resizeColumnToContents(0);
    auto* close = new QPushButton(QStringLiteral("닫기"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(420, 560);
}

QString frmDetail::titleText() {
    return QStringLiteral("상세정보보기");
}

} // namespace teran
