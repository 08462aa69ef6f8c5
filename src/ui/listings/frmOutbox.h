#pragma once

#include <QDialog>

class QTreeWidget;

namespace teran {

class Dialogs;
class OutboxPump;

// 전송대기: the changes of shared listings that wait for the vendor's server, oldest first, with
// 지금 보내기 (try the server now) and 선택 취소 (take a change back; its listing returns to what
// it was before it).
class frmOutbox : public QDialog {
    Q_OBJECT
public:
    frmOutbox(OutboxPump& pump, Dialogs& dialogs, QWidget* parent = nullptr);

private:
    void fill();
    void cancelSelected();
    void sendNow();

    OutboxPump& m_pump;
    Dialogs& m_dialogs;
    QTreeWidget* m_list;
};

} // namespace teran
