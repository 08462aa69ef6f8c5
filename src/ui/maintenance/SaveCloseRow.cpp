#include "SaveCloseRow.h"

#include "ui/widgets/Named.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

namespace teran {

void addSaveCloseRow(QBoxLayout* layout, QDialog* window, const std::function<void()>& save,
                     const std::function<void(QBoxLayout* row)>& more) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* saveButton = addButton(row, window, "cmdSave", QStringLiteral("저장"), EnterKey::Ignored);
    QObject::connect(saveButton, &QPushButton::clicked, window, save);
    if (more)
        more(row);
    QPushButton* close = addButton(row, window, "cmdClose", QStringLiteral("닫기"), EnterKey::Ignored);
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::reject);
    layout->addLayout(row);
}

} // namespace teran
