#pragma once

#include "DiaryPeriod.h"
#include "core/report/ReportDocument.h"

#include <QDate>
#include <QList>
#include <optional>

namespace teran {

class Session;

class SqlStore;

// One appointment of the schedule (`mem_daily`).
struct Appointment {
    int number = 0; // `table_idx`; 0 until stored
    QDate day;      // `days`
    QString time;   // `times`, free text
    QString kind;   // `kind`, 분류
    QString state;  // `txting`, 상황
    QString name;   // required
    QString company;
    QString place; // `jangso`
    QString remarks;
    QDate remindFrom; // `alim`: the first day the reminder list shows it

    bool operator==(const Appointment&) const = default;
    // "이름(회사)", or the name alone when no company is known.
    QString who() const;
    // How many days before its day the reminder starts (the entry window's box).
    int remindDaysBefore() const;
};

// The first reminder day of an appointment on `day` with `daysBefore` typed in the box: an empty
// box is the day itself, and so is anything but a whole number of days.
QDate reminderStart(const QDate& day, const QString& daysBefore);

// The schedule of one user: every statement holds the user's own rows only.
class AppointmentBook {
public:
    AppointmentBook(SqlStore& store, QString loginId);
    // The session's: the logged-in user's, in the office database.
    explicit AppointmentBook(Session& session);

    QList<Appointment> list(const DiaryPeriod& period, const DiarySearch& search = {});
    // What to remember today: from the reminder day up to and including the appointment's day.
    QList<Appointment> reminders(const QDate& today);
    std::optional<Appointment> load(int number);
    // A new appointment (number 0) gets the store's number.
    void save(Appointment& appointment);
    bool remove(int number);

    // The columns the search options look in: 이름, 회사명, 장소, 비고.
    static QStringList searchColumns();

private:
    QList<Appointment> read(const DiaryQuery& query, int number = 0);

    SqlStore& m_store;
    QString m_loginId;
};

// The printed schedule of a list: its title and the list's columns.
report::Document scheduleDocument(const QString& title, const QList<Appointment>& appointments);
QStringList scheduleColumns(); // 일시, 시간, 이름, 장소, 분류, 상황, 비고
QStringList scheduleCells(const Appointment& appointment);

// "2026년 12월 8일 화요일 일정표": the title of the chosen day.
QString scheduleTitle(const QDate& day);

struct DiaryTexts {
    static QString nameMissing() { return QStringLiteral("이름을 입력해주세요"); }
    static QString scheduleBoxTitle() { return QStringLiteral("스케쥴관리"); }
    static QString saved() { return QStringLiteral("저장을 완료하였습니다."); }
    static QString savedTitle() { return QStringLiteral("저장완료"); }
    static QString askDelete() { return QStringLiteral("정말삭제하시겠습니까 ?"); }
    static QString deleteTitle() { return QStringLiteral("삭제하기"); }
};

} // namespace teran
