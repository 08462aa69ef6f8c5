#include "Appointments.h"
#include "core/session/Session.h"

#include "core/store/SqlStore.h"

#include <QSqlQuery>

namespace teran {

namespace {

const QString kColumns =
    QStringLiteral("table_idx, days, times, kind, txting, name, company, jangso, bigo, alim");

QVariantList storedValues(const SqlStore& store, const Appointment& a) {
    return {store.toStored(a.day),       a.time, a.kind, a.state, a.name, a.company, a.place, a.remarks,
            store.toStored(a.remindFrom)};
}

} // namespace

QString Appointment::who() const {
    return company.isEmpty() ? name : name + QLatin1Char('(') + company + QLatin1Char(')');
}

int Appointment::remindDaysBefore() const {
    return remindFrom.isValid() && day.isValid() ? int(std::max<qint64>(0, remindFrom.daysTo(day))) : 0;
}

QDate reminderStart(const QDate& day, const QString& daysBefore) {
    bool ok = false;
    const int days = daysBefore.trimmed().toInt(&ok);
    return ok && days > 0 ? day.addDays(-days) : day;
}

AppointmentBook::AppointmentBook(SqlStore& store, QString loginId)
    : m_store(store)
    , m_loginId(std::move(loginId)) {}

AppointmentBook::AppointmentBook(Session& s)
    : AppointmentBook(s.listingStore(), s.state().LoginId) {}

QStringList AppointmentBook::searchColumns() {
    return {QStringLiteral("name"), QStringLiteral("company"), QStringLiteral("jangso"),
            QStringLiteral("bigo")};
}

QList<Appointment> AppointmentBook::list(const DiaryPeriod& period, const DiarySearch& search) {
    DiaryQuery q(m_store, QStringLiteral("SELECT %1 FROM mem_daily WHERE id = ?").arg(kColumns), {m_loginId});
    q.period(QStringLiteral("days"), period);
    q.search(search, searchColumns());
    return read(q);
}

QList<Appointment> AppointmentBook::reminders(const QDate& today) {
    DiaryQuery q(
        m_store,
        QStringLiteral("SELECT %1 FROM mem_daily WHERE id = ? AND alim < ? AND days >= ?").arg(kColumns),
        {m_loginId, m_store.toStored(today.addDays(1)), m_store.toStored(today)});
    return read(q);
}

std::optional<Appointment> AppointmentBook::load(int number) {
    const QList<Appointment> found =
        read(DiaryQuery(m_store, QStringLiteral("SELECT %1 FROM mem_daily WHERE id = ?").arg(kColumns),
                        {m_loginId}),
             number);
    return found.isEmpty() ? std::nullopt : std::optional(found.first());
}

QList<Appointment> AppointmentBook::read(const DiaryQuery& query, int number) {
    QString sql = query.sql();
    QVariantList values = query.values();
    if (number > 0) {
        sql += QStringLiteral(" AND table_idx = ?");
        values << number;
    }
    QSqlQuery q = m_store.query(sql + QStringLiteral(" ORDER BY days, times, table_idx"), values);
    QList<Appointment> found;
    while (q.next()) {
        Appointment a;
        a.number = q.value(0).toInt();
        a.day = storedDay(q.value(1));
        a.time = q.value(2).toString();
        a.kind = q.value(3).toString();
        a.state = q.value(4).toString();
        a.name = q.value(5).toString();
        a.company = q.value(6).toString();
        a.place = q.value(7).toString();
        a.remarks = q.value(8).toString();
        a.remindFrom = storedDay(q.value(9));
        found << a;
    }
    return found;
}

void AppointmentBook::save(Appointment& a) {
    a.number = UserRows(m_store, QStringLiteral("mem_daily"), m_loginId)
                   .save(a.number,
                         {QStringLiteral("days"), QStringLiteral("times"), QStringLiteral("kind"),
                          QStringLiteral("txting"), QStringLiteral("name"), QStringLiteral("company"),
                          QStringLiteral("jangso"), QStringLiteral("bigo"), QStringLiteral("alim")},
                         storedValues(m_store, a));
}

bool AppointmentBook::remove(int number) {
    return UserRows(m_store, QStringLiteral("mem_daily"), m_loginId).remove(number);
}

QStringList scheduleColumns() {
    return {QStringLiteral("일시"), QStringLiteral("시간"), QStringLiteral("이름"), QStringLiteral("장소"),
            QStringLiteral("분류"), QStringLiteral("상황"), QStringLiteral("비고")};
}

QStringList scheduleCells(const Appointment& a) {
    return {
        a.day.toString(QStringLiteral("yyyy-MM-dd")), a.time, a.who(), a.place, a.kind, a.state, a.remarks};
}

report::Document scheduleDocument(const QString& title, const QList<Appointment>& appointments) {
    using namespace report;
    Document d;
    d.title = title;
    d.add(Heading{title});
    Table t;
    t.header = scheduleColumns();
    t.weights = {12, 8, 18, 14, 10, 10, 28};
    for (const Appointment& a : appointments)
        t.rows << scheduleCells(a);
    d.add(t);
    return d;
}

QString scheduleTitle(const QDate& day) {
    return DiaryPeriod{.kind = PeriodKind::Day, .day = day, .from = {}, .to = {}}.text() +
           QStringLiteral(" 일정표");
}

} // namespace teran
