#pragma once

#include "core/people/Appointments.h"
#include "core/people/MoneyDiary.h"
#include "core/session/StoreAttempt.h"

#include <QWidget>

class QButtonGroup;
class QCalendarWidget;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTabBar;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace teran {

class Session;

// `frmDaily` (일정관리): the user's appointments with the reminders due today, and the income
// and expense diary by purpose, for the day chosen in the calendar, its month or a range.
class frmDaily : public QWidget {
    Q_OBJECT
public:
    explicit frmDaily(Session& session, QWidget* parent = nullptr);

    void chooseDay(const QDate& day); // as a click in `monthNow`
    void showMoneyPart(bool money);
    void cmdS_Click();
    void cmdM_Click();
    void cmdSS_Click();
    void cmdMS_Click();
    void cmdPrintS_Click();
    void cmdPrintM_Click();
    void openEntry(QTreeWidgetItem* item);
    QString totalsText() const;

private:
    QWidget* buildSchedulePart();
    QWidget* buildMoneyPart();
    void actionChanged(const QString& action);
    void reloadSchedule();
    void reloadMoney();
    void fillPurposeTabs();
    void fillPurposes();
    void openEntryWindow(bool money, int number);
    DiaryPeriod period(const QTabBar* tabs, const QDateEdit* from, const QDateEdit* to) const;
    DiarySearch search(const QButtonGroup* options, const QLineEdit* text) const;
    MoneyFilter moneyFilter() const;
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
    QDate m_day;
    QCalendarWidget* m_calendar = nullptr;
    QLabel* m_title = nullptr;
    QTabWidget* m_parts = nullptr;
    QLineEdit* m_action = nullptr;
    // 스케쥴
    QTabBar* m_tabS = nullptr;
    QDateEdit* m_fromS = nullptr;
    QDateEdit* m_toS = nullptr;
    QButtonGroup* m_optS = nullptr;
    QLineEdit* m_textS = nullptr;
    QTreeWidget* m_listS = nullptr;
    QTreeWidget* m_reminders = nullptr;
    QList<Appointment> m_shownS;
    // 수입/지출
    QTabBar* m_tabM = nullptr;
    QTabBar* m_groups = nullptr;
    QComboBox* m_purpose = nullptr;
    QDateEdit* m_fromM = nullptr;
    QDateEdit* m_toM = nullptr;
    QButtonGroup* m_optM = nullptr;
    QLineEdit* m_textM = nullptr;
    QTreeWidget* m_listM = nullptr;
    QLabel* m_totals = nullptr;
    QList<MoneyLine> m_shownM;
    bool m_filling = false;
    bool m_told = false;
};

} // namespace teran
