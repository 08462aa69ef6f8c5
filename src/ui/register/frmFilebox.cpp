#include "frmFilebox.h"

#include "core/register/RegisterTexts.h"
#include "core/session/Dialogs.h"
#include "core/session/Outlets.h"

#include <QDir>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace teran {

frmFilebox::frmFilebox(const QString& filesDir, int number, Dialogs& dialogs, Outlets& outlets,
                       QWidget* parent)
    : QDialog(parent)
    , m_box(filesDir, number)
    , m_dialogs(dialogs)
    , m_outlets(outlets) {
    setObjectName(QStringLiteral("frmFilebox"));
    setWindowTitle(RegisterTexts::fileBoxTitle() + QStringLiteral(" - %1").arg(number));
    resize(420, 360);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstFile"));
    auto* add = new QPushButton(QStringLiteral("파일추가"), this);
    add->setObjectName(QStringLiteral("cmdAdd"));
    auto* closeButton = new QPushButton(QStringLiteral("닫기"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_list);
    column->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, &frmFilebox::cmdAdd_Click);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_outlets.openUrl(QUrl::fromLocalFile(QDir(m_box.folder()).filePath(item->text())));
    });
    refresh();
}

void frmFilebox::cmdAdd_Click() {
    const QString chosen = m_dialogs.openFileName(RegisterTexts::fileBoxTitle(), QDir::homePath(),
                                                  RegisterTexts::fileBoxFilter());
    if (chosen.isEmpty())
        return;
    if (m_box.holds(chosen) &&
        !m_dialogs.askYesNo(RegisterTexts::fileReplaceQuestion(), RegisterTexts::fileReplaceTitle()))
        return;
    if (!m_box.add(chosen))
        m_dialogs.critical(RegisterTexts::attachError(), RegisterTexts::fileBoxTitle());
    refresh();
}

QStringList frmFilebox::shownFiles() const {
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i)
        names << m_list->item(i)->text();
    return names;
}

void frmFilebox::refresh() {
    m_list->clear();
    m_list->addItems(m_box.files());
}

} // namespace teran
