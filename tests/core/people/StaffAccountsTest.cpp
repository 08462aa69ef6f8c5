#include "core/people/StaffAccounts.h"
#include "TwoOffices.h"
#include "core/store/StoreError.h"

#include <gtest/gtest.h>

namespace teran {
namespace {

StaffForm newStaff(const QString& id) {
    StaffForm form;
    form.id = id;
    form.password = QStringLiteral("staff-pw");
    form.name = QStringLiteral("이지은");
    form.showname = QStringLiteral("이실장");
    form.residentNumber = QStringLiteral("880101-1234568");
    form.startDay = QDate(2026, 3, 2);
    form.addr1 = QStringLiteral("서울");
    form.addr2 = QStringLiteral("강남구");
    form.hantel = QStringLiteral("010-1234-5678");
    return form;
}

class StaffAccountsTest : public test::TwoOfficesTest {};

TEST(StaffAccountsRules, TheResidentNumberIsCheckedAndShownMasked) {
    EXPECT_TRUE(isValidResidentNumber(QStringLiteral("880101-1234568")));
    EXPECT_TRUE(isValidResidentNumber(QStringLiteral("950505-2345672")));
    EXPECT_TRUE(isValidResidentNumber(QStringLiteral(" 880101-1234568_")));
    EXPECT_FALSE(isValidResidentNumber(QStringLiteral("8801011234568"))) << "without the dash";
    EXPECT_FALSE(isValidResidentNumber(QStringLiteral("880101-1234567"))) << "the last digit differs";
    EXPECT_FALSE(isValidResidentNumber(QStringLiteral("88010a-1234568")));
    EXPECT_FALSE(isValidResidentNumber(QStringLiteral("______-_______")));
    EXPECT_EQ(maskedResidentNumber(QStringLiteral("880101"), QStringLiteral("1234568")),
              QStringLiteral("880101-1******"));
    EXPECT_EQ(maskedResidentNumber(QString(), QString()), QString());
}

// The main account makes staff through the checks, in their order; an edit keeps the id and, with
// no password typed, the password. On the vendor's server each staff account is an account of its
// own, which logs in until it is disabled and makes no staff of its own.
TEST_P(StaffAccountsTest, TheMainAccountMakesStaffWhoAreEditedAndDisabled) {
    StaffAccounts staff(as(a), secured != nullptr, a);
    const QString id = test::uniqueAccountName(QStringLiteral("st"));
    if (secured) {
        secured->dropAtEnd(id);
    }
    EXPECT_EQ(staff.checkId(QString()), StaffIdCheck::Empty);
    EXPECT_EQ(staff.checkId(QStringLiteral("kim lee")), StaffIdCheck::NotPlain);
    EXPECT_EQ(staff.checkId(QStringLiteral("kim-lee")), StaffIdCheck::NotPlain);
    EXPECT_EQ(staff.checkId(a), StaffIdCheck::Taken);
    EXPECT_EQ(staff.checkId(id), StaffIdCheck::Free);

    StaffForm form = newStaff(id);
    EXPECT_EQ(staff.save(form, false).message, QStringLiteral("아이디 등록검사를 해주셔야합니다."));
    const struct {
        void (*spoil)(StaffForm&);
        const char* message;
    } refusals[] = {
        {[](StaffForm& f) { f.password.clear(); }, "비밀번호를 해주셔야합니다."},
        {[](StaffForm& f) { f.name = QStringLiteral("  "); }, "이름을 정확하게 입력 해주셔야합니다."},
        {[](StaffForm& f) { f.residentNumber = QStringLiteral("8801011234568"); },
         "주민번호는 정확하게 입력해 주셔야합니다."},
        {[](StaffForm& f) { f.addr1.clear(), f.addr2.clear(); }, "주소를 입력해주세요."},
    };
    for (const auto& refusal : refusals) {
        StaffForm spoiled = form;
        refusal.spoil(spoiled);
        const StaffSave result = staff.save(spoiled, true);
        EXPECT_FALSE(result.saved);
        EXPECT_EQ(result.message, QString::fromUtf8(refusal.message));
    }
    EXPECT_TRUE(staff.list().isEmpty()) << "a refused save stores nothing";

    const StaffSave made = staff.save(form, true);
    ASSERT_TRUE(made.saved) << made.message.toStdString();
    EXPECT_EQ(made.message, QStringLiteral("회원정보를 성공적으로 등록하였습니다"));
    EXPECT_GT(made.memIdx, 0);
    EXPECT_EQ(staff.checkId(id), StaffIdCheck::Taken);
    const QList<StaffRow> rows = staff.list();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).residentNumber, QStringLiteral("880101-1******"));
    EXPECT_EQ(rows.at(0).startDay, QStringLiteral("2026-03-02"));
    EXPECT_EQ(rows.at(0).address, QStringLiteral("서울 강남구  "));
    // A second save of the same id (another desk's) is refused.
    EXPECT_THROW(staff.save(newStaff(id), true), StoreError);

    std::optional<StaffForm> opened = staff.read(made.memIdx);
    ASSERT_TRUE(opened.has_value());
    EXPECT_TRUE(opened->password.isEmpty()) << "a password is never read back";
    opened->id = QStringLiteral("renamed");
    opened->name = QStringLiteral("이지은 실장");
    const StaffSave edited = staff.save(*opened, false);
    ASSERT_TRUE(edited.saved) << edited.message.toStdString();
    EXPECT_EQ(edited.message, QStringLiteral("회원정보를 성공적으로 수정하였습니다"));
    const auto stored = [&](const char* column) {
        return vendor()
            .scalar(QStringLiteral("SELECT %1 FROM members WHERE mem_idx=?").arg(QLatin1String(column)),
                    {made.memIdx})
            .toString();
    };
    EXPECT_EQ(stored("memID"), id);
    EXPECT_EQ(stored("name"), QStringLiteral("이지은 실장"));
    EXPECT_EQ(stored("memPWD"), secured ? QString() : QStringLiteral("staff-pw"))
        << "an account per member keeps its password on the server, not in the table";

    if (secured) {
        // The new account logs in and works for the office, but makes no staff of its own.
        auto asStaff = secured->connectAs(id, QStringLiteral("staff-pw"));
        EXPECT_EQ(
            asStaff->scalar(QStringLiteral("SELECT companyID FROM members WHERE memID=?"), {id}).toString(),
            a);
        StaffAccounts fromStaff(*asStaff, true, a, a); // as if it claimed to be the office
        const QString second = test::uniqueAccountName(QStringLiteral("st"));
        EXPECT_THROW(fromStaff.save(newStaff(second), true), StoreError);
        EXPECT_EQ(
            vendor().scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {second}).toInt(),
            0);
        // A new password is set, never read back; the old one stops working.
        opened->password = QStringLiteral("changed-pw");
        ASSERT_TRUE(staff.save(*opened, false).saved);
        EXPECT_THROW(secured->connectAs(id, QStringLiteral("staff-pw")), StoreError);
        EXPECT_NO_THROW(secured->connectAs(id, QStringLiteral("changed-pw")));
    }

    staff.setDisabled(id, true);
    ASSERT_EQ(staff.list().size(), 1);
    EXPECT_TRUE(staff.list().at(0).disabled);
    if (secured) {
        EXPECT_THROW(secured->connectAs(id, QStringLiteral("changed-pw")), StoreError);
        staff.setDisabled(id, false);
        EXPECT_NO_THROW(secured->connectAs(id, QStringLiteral("changed-pw")));
    }

    // Another office cannot touch this office's staff.
    StaffAccounts intruder(as(b), secured != nullptr, b);
    EXPECT_THROW(intruder.save(*opened, false), StoreError);
    if (secured) {
        EXPECT_THROW(intruder.setDisabled(id, true), StoreError);
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, StaffAccountsTest,
                         testing::Values(test::Backend::Sqlite, test::Backend::MariaDb), test::backendName);

} // namespace
} // namespace teran
