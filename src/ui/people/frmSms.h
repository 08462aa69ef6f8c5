#pragma once

#include "core/people/SmsDesk.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTreeWidget;
class QWidget;

namespace teran {

class Session;

// `frmSms`: sends a text of at most 80 bytes to one mobile number or to a group picked from
// the office's sellers, buyers, cards and customers, through the SMS gateway, and charges the
// office's cash for what was delivered. The office's balance and what the send will cost show
// before anything is sent.
class frmSms : public QDialog {
    Q_OBJECT
public:
    explicit frmSms(Session& session, QWidget* parent = nullptr);

    // Opened for one person: the name in the title, the number without its "-".
    void setPerson(const QString& name, const QString& mobile);
    // Opened with numbers to send to as a group.
    void setGroup(const QStringList& numbers);
    // The message to send, as if typed.
    void setMessage(const QString& text);
    // Told the numbers (digits only) each send delivered to, when it delivered any.
    void setDeliveredHandler(std::function<void(const QStringList&)> handler) {
        m_delivered = std::move(handler);
    }
    bool isGroupMode() const;
    QStringList group() const;
    QString logText() const;

    bool sendlbl_Click();
    void cmdAdd_Click();
    void cmdGroup_Click();
    void cmdSuch_Click();
    void cmdDel_Click();
    void cmddel2_Click();
    void showSource(SmsSource source);

private:
    void chooseMode(bool group);
    void limitText();
    void appendLog(const QString& line);
    void readBalance();
    void updateCount();
    void updateCost();
    SmsRequest request() const;

    Session& m_session;
    std::function<void(const QStringList&)> m_delivered;
    qint64 m_balance = 0;
    SmsSource m_source = SmsSource::Sellers;
    QLabel* m_title = nullptr;
    QButtonGroup* m_mode = nullptr;
    QLineEdit* m_sendtel = nullptr;
    QLineEdit* m_callback = nullptr;
    QPlainTextEdit* m_text = nullptr;
    QLabel* m_bytes = nullptr;
    QLabel* m_cash = nullptr;
    QLabel* m_cost = nullptr;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_people = nullptr;
    QListWidget* m_list = nullptr;
    QLineEdit* m_add = nullptr;
    QLabel* m_count = nullptr;
    QWidget* m_groupFrame = nullptr;
    QListWidget* m_samples = nullptr;
    QPlainTextEdit* m_log = nullptr;
};

} // namespace teran
