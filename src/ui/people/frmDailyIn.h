#pragma once

#include "core/people/Appointments.h"
#include "core/people/MoneyDiary.h"
#include "core/session/StoreAttempt.h"

#include <QDialog>
#include <memory>

class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;

namespace teran {

class EditGuard;
class Session;

// `frmDailyIn`: enters or changes one appointment ("daily") or one income and expense line
// ("money"). The hidden text `action` holds the mode: "daily"/"money" for a new entry,
// "daily2"/"money2" for a stored one. A saved new entry stays open as the stored one, so that
// a second save changes it instead of adding it again.
class frmDailyIn : public QDialog {
    Q_OBJECT
public:
    // `number` 0 opens an empty entry on `day`.
    frmDailyIn(Session& session, bool money, int number, const QDate& day, QWidget* parent = nullptr);
    ~frmDailyIn() override;
    // 닫기, Escape and the close button ask first when typed changes are not saved.
    void reject() override;

    int number() const { return m_number; }
    QString action() const;

    bool cmdSaveS_Click();
    bool cmdDelS_Click();
    bool cmdSaveM_Click();
    bool cmdDelM_Click();

Q_SIGNALS:
    // An entry was stored or deleted: the schedule window reloads the part it belongs to.
    void entryChanged(bool money);

private:
    QGroupBox* buildSchedule();
    QGroupBox* buildMoney();
    void loadAppointment(const QDate& day);
    void loadMoney(const QDate& day);
    void setMode(int number);
    bool remove(const QString& routine);
    // Store work of the window: a failure is written to the log under the routine and told.
    template <typename Work> auto attempt(const QString& routine, Work&& work) {
        auto done = attemptStore(m_session, QStringLiteral("일정관리 ") + routine + QStringLiteral(" => "),
                                 std::forward<Work>(work));
        if (!done)
            storeFailed(*done.failure());
        return done;
    }
    void storeFailed(const StoreFailure& failure);

    Session& m_session;
    std::unique_ptr<EditGuard> m_guard;
    bool m_money;
    int m_number = 0;
    QLineEdit* m_action = nullptr;
    // 스케쥴
    QDateEdit* m_dayS = nullptr;
    QLineEdit* m_timeS = nullptr;
    QComboBox* m_kind = nullptr;
    QComboBox* m_state = nullptr;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_company = nullptr;
    QLineEdit* m_place = nullptr;
    QPlainTextEdit* m_remarksS = nullptr;
    QLineEdit* m_remind = nullptr;
    // 수입/지출
    QDateEdit* m_dayM = nullptr;
    QLineEdit* m_timeM = nullptr;
    QComboBox* m_purpose = nullptr;
    QLineEdit* m_income = nullptr;
    QLineEdit* m_incomeText = nullptr;
    QLineEdit* m_expense = nullptr;
    QLineEdit* m_expenseText = nullptr;
    QPlainTextEdit* m_remarksM = nullptr;
};

} // namespace teran
