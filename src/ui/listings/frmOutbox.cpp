#include "frmOutbox.h"

#include "core/publication/OutboxPump.h"
#include "core/session/Dialogs.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace teran {

frmOutbox::frmOutbox(OutboxPump& pump, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent)
    , m_pump(pump)
    , m_dialogs(dialogs)
    , m_list(new QTreeWidget(this)) {
    setObjectName(QStringLiteral("frmOutbox"));
    setWindowTitle(QStringLiteral("전송대기"));
    m_list->setObjectName(QStringLiteral("lvOutbox"));
    m_list->setHeaderLabels({QStringLiteral("매물"), QStringLiteral("작업"), QStringLiteral("요청시각"),
                             QStringLiteral("시도"), QStringLiteral("마지막 오류")});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* buttons = new QDialogButtonBox(this);
    auto* send = buttons->addButton(QStringLiteral("지금 보내기"), QDialogButtonBox::ActionRole);
    auto* cancel = buttons->addButton(QStringLiteral("선택 취소"), QDialogButtonBox::ActionRole);
    auto* close = buttons->addButton(QStringLiteral("닫기"), QDialogButtonBox::RejectRole);
    send->setObjectName(QStringLiteral("cmdSendNow"));
    cancel->setObjectName(QStringLiteral("cmdCancelChange"));
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(send, &QPushButton::clicked, this, &frmOutbox::sendNow);
    connect(cancel, &QPushButton::clicked, this, &frmOutbox::cancelSelected);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The status bar's pump goes on sending while the window is open.
    connect(&m_pump, &OutboxPump::waitingChanged, this, &frmOutbox::fill);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(640, 320);
    fill();
}

void frmOutbox::fill() {
    m_list->clear();
    for (const WaitingChange& change : m_pump.changes()) {
        auto* item = new QTreeWidgetItem(
            m_list, {change.listing.isEmpty() ? QString::number(change.number) : change.listing, change.what,
                     change.made.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     QString::number(change.tries), change.lastError});
        item->setData(0, Qt::UserRole, change.id);
    }
    m_list->header()->resizeSections(QHeaderView::ResizeToContents);
}

void frmOutbox::sendNow() {
    m_pump.pump();
    fill();
}

void frmOutbox::cancelSelected() {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    if (!m_dialogs.askYesNo(
            QStringLiteral("선택한 작업 %1건을 취소하시겠습니까?\r\n\r\n매물은 그 작업 전의 상태로 "
                           "돌아가고, 같은 매물의 뒤이은 작업도 함께 취소됩니다.")
                .arg(selected.size()),
            windowTitle()))
        return;
    QList<qint64> ids;
    for (const QTreeWidgetItem* item : selected)
        ids << item->data(0, Qt::UserRole).toLongLong();
    std::sort(ids.begin(), ids.end());
    for (qint64 id : ids)
        m_pump.cancel(id); // false for a later change its listing's earlier cancel took along
    fill();
}

} // namespace teran
