#include "core/people/Appointments.h"
#include "core/people/MoneyDiary.h"

#include "TestServices.h"
#include "core/session/StoreSchemas.h"

using namespace teran;
using namespace teran::test;

namespace {

// The schedule and the income and expense diary of two users of one office database.
class DiaryTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        scratch = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(scratch != nullptr, "MariaDB");
        upgradeListingStore(scratch->store());
    }
    AppointmentBook book(const QString& user = "st1") { return AppointmentBook(scratch->store(), user); }
    MoneyDiary diary(const QString& user = "st1") { return MoneyDiary(scratch->store(), user); }
    static Appointment meeting(const QDate& day, const QString& remindBox) {
        return Appointment{.number = 0,
                           .day = day,
                           .time = "14:00",
                           .kind = "계약",
                           .state = "예정",
                           .name = "김매도",
                           .company = "대한상사",
                           .place = "사무실",
                           .remarks = "잔금 '확인' 100%",
                           .remindFrom = reminderStart(day, remindBox)};
    }
    QStringList reminderNames(const QDate& today) {
        QStringList names;
        for (const Appointment& a : book().reminders(today))
            names << a.name;
        return names;
    }
    std::unique_ptr<ScratchStore> scratch;
};

} // namespace

TEST_P(DiaryTest, AReminderShowsFromItsDayUpToTheAppointmentAndOnlyToItsOwner) {
    Appointment tenth = meeting({2026, 12, 10}, "3");
    book().save(tenth);
    Appointment sameDay = meeting({2026, 12, 20}, "");
    sameDay.name = "당일";
    book().save(sameDay);
    Appointment other = meeting({2026, 12, 10}, "3");
    book("st2").save(other);

    EXPECT_TRUE(reminderNames({2026, 12, 6}).isEmpty());
    for (int day = 7; day <= 10; ++day)
        EXPECT_EQ(reminderNames({2026, 12, day}), QStringList{"김매도"}) << day;
    EXPECT_TRUE(reminderNames({2026, 12, 11}).isEmpty()) << "gone the day after";
    EXPECT_EQ(sameDay.remindFrom, sameDay.day) << "an empty box reminds on the day itself";
    EXPECT_TRUE(reminderNames({2026, 12, 19}).isEmpty());
    EXPECT_EQ(reminderNames({2026, 12, 20}), QStringList{"당일"});
    EXPECT_EQ(reminderStart({2026, 12, 20}, "사흘"), QDate(2026, 12, 20)) << "not a number: the day";
    EXPECT_EQ(tenth.remindDaysBefore(), 3);

    EXPECT_EQ(*book().load(tenth.number), tenth) << "every column comes back, the apostrophes too";
    EXPECT_EQ(book().load(other.number), std::nullopt) << "another user's appointment";
    EXPECT_FALSE(book().remove(other.number));
    other.name = "남의 일정";
    Appointment stolen = other;
    book().save(stolen);
    EXPECT_NE(stolen.number, other.number) << "saving over another user's number makes a row of one's own";
    EXPECT_EQ(book("st2").load(other.number)->name, "김매도");
}

TEST_P(DiaryTest, TheScheduleListsADayAMonthOrARangeWithTheSearch) {
    for (int day : {1, 15, 31}) {
        Appointment a = meeting({2026, 12, day}, "");
        a.name = QString::number(day) + "일";
        a.company = day == 15 ? "100%상사" : "대한상사";
        book().save(a);
    }
    Appointment january = meeting({2027, 1, 1}, "");
    book().save(january);
    // A day stored with a time of day, as an older file may hold it.
    scratch->store().execute("INSERT INTO mem_daily (id, days, name, alim) VALUES (?, ?, ?, ?)",
                             {"st1", scratch->store().toStored(QDateTime(QDate(2026, 12, 31), QTime(15, 0))),
                              "시각있음", scratch->store().toStored(QDate(2026, 12, 31))});
    const auto names = [&](const DiaryPeriod& p, const DiarySearch& s = {}) {
        QStringList found;
        for (const Appointment& a : book().list(p, s))
            found << a.name;
        return found;
    };
    EXPECT_EQ(names({PeriodKind::Day, {2026, 12, 31}, {}, {}}), QStringList({"31일", "시각있음"}));
    EXPECT_EQ(names({PeriodKind::Month, {2026, 12, 9}, {}, {}}).size(), 4);
    EXPECT_EQ(names({PeriodKind::Range, {}, {2027, 1, 1}, {2026, 12, 15}}),
              QStringList({"15일", "31일", "시각있음", "김매도"}))
        << "a range given the wrong way round, both ends included";
    EXPECT_EQ(names({PeriodKind::Month, {2026, 12, 1}, {}, {}}, {"company", "100%"}), QStringList{"15일"})
        << "% typed into the search is a character";
    EXPECT_EQ(names({PeriodKind::Month, {2026, 12, 1}, {}, {}}, {"name) OR (1=1", "x"}).size(), 4)
        << "a column that is no search option is ignored";
}

TEST_P(DiaryTest, TheMoneyListFiltersByPurposeAndTotalsWhatItShows) {
    const auto line = [&](const QString& purpose, const QDate& day, qint64 in, qint64 out,
                          const QString& text) {
        MoneyLine m{0, purpose, day, "09:00", in, text, out, text, {}};
        diary().save(m);
        return m;
    };
    MoneyLine fee = line("수수료", {2026, 12, 3}, 1000, 0, "중개수수료");
    line("경비", {2026, 12, 4}, 0, 300, "주차비");
    line("광고", {2026, 11, 30}, 0, 5'000'000'000LL, "광고비");
    line("", {2026, 12, 5}, 0, 0, "메모");
    MoneyLine others{0, "수수료", {2026, 12, 3}, {}, 777, "남의 수입", 0, {}, {}};
    diary("st2").save(others);

    MoneyFilter december{{PeriodKind::Month, {2026, 12, 1}, {}, {}}, {}, MoneyDiary::everyPurpose(), "전체"};
    december.period = {PeriodKind::Range, {}, {2026, 12, 3}, {2026, 12, 4}};
    const QList<MoneyLine> shown = diary().list(december);
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown.first(), fee);
    EXPECT_EQ(moneyTotalsText(moneyTotals(shown)), " 수입 [1,000 원]   지출 [300 원]   잔액 [700 원]");

    december.period = {PeriodKind::Month, {2026, 12, 1}, {}, {}};
    EXPECT_EQ(diary().purposesOfMonth({2026, 12, 20}), QStringList({"경비", "수수료"}));
    EXPECT_EQ(diary().purposes(), QStringList({"경비", "광고", "수수료"}));
    december.purposeTab = "경비";
    EXPECT_EQ(diary().list(december).size(), 1);
    december.purposeTab = "전체";
    december.purpose = "수수료";
    december.search = {"suiptxt", "수수"};
    EXPECT_EQ(diary().list(december).size(), 1);

    MoneyFilter november{{PeriodKind::Month, {2026, 11, 1}, {}, {}}, {}, {}, {}};
    EXPECT_EQ(moneyTotals(diary().list(november)).balance(), -5'000'000'000LL) << "amounts beyond 32 bits";
    EXPECT_EQ(typedWon("1,000"), 1000);
    EXPECT_EQ(typedWon(""), 0);
    EXPECT_EQ(typedWon("천원"), std::nullopt);

    fee.income = 1500;
    diary().save(fee);
    EXPECT_EQ(diary().load(fee.number)->income, 1500);
    EXPECT_FALSE(diary().remove(others.number)) << "another user's line stays";
    EXPECT_TRUE(diary().remove(fee.number));
    EXPECT_EQ(diary().load(fee.number), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Backends, DiaryTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
