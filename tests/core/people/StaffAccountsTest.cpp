#include "people/StaffAccounts.h"
#include "SecuredScratch.h"
#include "TestNeeds.h"
#include "online/SecuredServer.h"
#include "session/StoreSetup.h"
#include "store/SqlStore.h"
#include "store/StoreError.h"

#include <gtest/gtest.h>

namespace teran {
namespace {

using test::SecuredScratchServer;

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

TERAN_SUITE_NEEDS(StaffAccountsSecured, mariadb);

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

// The embedded server keeps the rows as it always did.
TEST(StaffAccountsEmbedded, TheChecksComeInTheirOrderAndAnEditKeepsTheId) {
    auto scratch = test::ScratchStore::sqlite();
    SqlStore& server = scratch->store();
    initServerStore(server, {});
    server.execute(QStringLiteral(
        "INSERT INTO members(companyID, memID, memType, memPWD) VALUES('off1','off1','A','pw')"));
    StaffAccounts staff(server, false, QStringLiteral("off1"));

    EXPECT_EQ(staff.checkId(QString()), StaffIdCheck::Empty);
    EXPECT_EQ(staff.checkId(QStringLiteral("kim lee")), StaffIdCheck::NotPlain);
    EXPECT_EQ(staff.checkId(QStringLiteral("kim-lee")), StaffIdCheck::NotPlain);
    EXPECT_EQ(staff.checkId(QStringLiteral("off1")), StaffIdCheck::Taken);
    EXPECT_EQ(staff.checkId(QStringLiteral("kimlee")), StaffIdCheck::Free);

    StaffForm form = newStaff(QStringLiteral("kimlee"));
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
    const QList<StaffRow> rows = staff.list();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.at(0).residentNumber, QStringLiteral("880101-1******"));
    EXPECT_EQ(rows.at(0).startDay, QStringLiteral("2026-03-02"));
    EXPECT_EQ(rows.at(0).address, QStringLiteral("서울 강남구  "));

    // An edit keeps the id and, with no password typed, the password.
    std::optional<StaffForm> opened = staff.read(made.memIdx);
    ASSERT_TRUE(opened.has_value());
    EXPECT_TRUE(opened->password.isEmpty());
    opened->id = QStringLiteral("renamed");
    opened->name = QStringLiteral("이지은 실장");
    const StaffSave edited = staff.save(*opened, false);
    ASSERT_TRUE(edited.saved) << edited.message.toStdString();
    EXPECT_EQ(edited.message, QStringLiteral("회원정보를 성공적으로 수정하였습니다"));
    EXPECT_EQ(server
                  .scalar(QStringLiteral(
                              "SELECT memID || '/' || memPWD || '/' || name FROM members WHERE mem_idx=?"),
                          {made.memIdx})
                  .toString(),
              QStringLiteral("kimlee/staff-pw/이지은 실장"));

    staff.setDisabled(QStringLiteral("kimlee"), true);
    ASSERT_EQ(staff.list().size(), 1);
    EXPECT_TRUE(staff.list().at(0).disabled);
    // Another office's staff cannot be edited from here.
    StaffAccounts other(server, false, QStringLiteral("off2"));
    EXPECT_THROW(other.save(*opened, false), StoreError);
}

// On the vendor's server each staff account is an account of its own.
class StaffAccountsSecured : public testing::Test {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        office = server->addOffice(QStringLiteral("main-pw"));
        asOffice = server->connectAs(office, QStringLiteral("main-pw"));
    }
    void TearDown() override {
        if (!server)
            return;
        SqlStore vendor(QStringLiteral("staff-vendor"));
        vendor.open(server->adminUrl());
        for (const QString& id : made)
            SecuredServer(vendor, server->adminUrl().database).dropAccount(id);
    }

    std::unique_ptr<SecuredScratchServer> server;
    std::unique_ptr<SqlStore> asOffice;
    QString office;
    QStringList made;
};

TEST_F(StaffAccountsSecured, TheMainAccountMakesStaffWhoLogInAndCanBeDisabled) {
    StaffAccounts staff(*asOffice, true, office);
    const QString id = test::uniqueAccountName(QStringLiteral("st"));
    made << id;
    EXPECT_EQ(staff.checkId(id), StaffIdCheck::Free);
    const StaffSave saved = staff.save(newStaff(id), true);
    ASSERT_TRUE(saved.saved) << saved.message.toStdString();
    EXPECT_GT(saved.memIdx, 0);
    EXPECT_EQ(staff.checkId(id), StaffIdCheck::Taken);
    EXPECT_EQ(
        server->data().scalar(QStringLiteral("SELECT memPWD FROM members WHERE memID=?"), {id}).toString(),
        QString())
        << "the server keeps the password, not the table";
    ASSERT_EQ(staff.list().size(), 1);
    EXPECT_EQ(staff.list().at(0).residentNumber, QStringLiteral("880101-1******"));

    // The new account logs in and works for the office, but makes no staff of its own.
    auto asStaff = server->connectAs(id, QStringLiteral("staff-pw"));
    EXPECT_EQ(asStaff->scalar(QStringLiteral("SELECT companyID FROM members WHERE memID=?"), {id}).toString(),
              office);
    StaffAccounts fromStaff(*asStaff, true, office, office); // as if it claimed to be the office
    const QString second = test::uniqueAccountName(QStringLiteral("st"));
    EXPECT_THROW(fromStaff.save(newStaff(second), true), StoreError);
    EXPECT_EQ(
        server->data().scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {second}).toInt(),
        0);

    // A second save of the same id (another desk's) is refused by the server.
    EXPECT_THROW(staff.save(newStaff(id), true), StoreError);

    // A new password is set, never read back; the old one stops working.
    std::optional<StaffForm> opened = staff.read(saved.memIdx);
    ASSERT_TRUE(opened.has_value());
    EXPECT_TRUE(opened->password.isEmpty());
    opened->password = QStringLiteral("changed-pw");
    ASSERT_TRUE(staff.save(*opened, false).saved);
    EXPECT_THROW(server->connectAs(id, QStringLiteral("staff-pw")), StoreError);
    EXPECT_NO_THROW(server->connectAs(id, QStringLiteral("changed-pw")));

    staff.setDisabled(id, true);
    EXPECT_THROW(server->connectAs(id, QStringLiteral("changed-pw")), StoreError);
    EXPECT_TRUE(staff.list().at(0).disabled);
    staff.setDisabled(id, false);
    EXPECT_NO_THROW(server->connectAs(id, QStringLiteral("changed-pw")));

    // Another office cannot touch this office's staff.
    const QString other = server->addOffice(QStringLiteral("other-pw"));
    auto asOther = server->connectAs(other, QStringLiteral("other-pw"));
    StaffAccounts intruder(*asOther, true, other);
    EXPECT_THROW(intruder.save(*opened, false), StoreError);
    EXPECT_THROW(intruder.setDisabled(id, true), StoreError);
}

} // namespace
} // namespace teran
