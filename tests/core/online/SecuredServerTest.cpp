#include "core/online/SecuredServer.h"
#include "SecuredScratch.h"
#include "TestNeeds.h"
#include "core/people/SmsAccounts.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace teran {
namespace {

using test::SecuredScratchServer;

// Two offices on a vendor's server with an account per member, each with rows of its own written
// by the vendor: a listing shared on the internet, a listing shared in clubs only, an unshared
// server row, a picture row, an inquiry in its box, cash, and a club that B chairs.
class SecuredServerTest : public testing::Test {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        a = server->addOffice(QStringLiteral("pw-a'\\1"));
        b = server->addOffice(QStringLiteral("pw-b"));
        SqlStore& data = server->data();
        data.execute(QStringLiteral("UPDATE members SET jumin1='880101', jumin2='1234567', email='x@y.kr' "
                                    "WHERE memID IN (?, ?)"),
                     {a, b});
        for (const QString& office : {a, b}) {
            listing(office, 1, QStringLiteral("apt"), 1);  // internet
            listing(office, 2, QStringLiteral("apt"), 7);  // clubs, a type the club shares
            listing(office, 3, QStringLiteral("land"), 7); // clubs, a type it does not share
            listing(office, 4, QStringLiteral("apt"), 0);  // not shared
            data.execute(
                QStringLiteral(
                    "INSERT INTO filebox(tb, ty, `ID`, sub_idx, Img1) VALUES('apt','M',?,1,'p.jpg')"),
                {office});
            data.execute(QStringLiteral("INSERT INTO mem_paper(id, toid, name, tel, title, content, readok) "
                                        "VALUES(?, ?, '손님', '010-1111-2222', '문의', '내용', 0)"),
                         {office, office});
            data.execute(QStringLiteral("INSERT INTO mem_cash(companyID, `ID`, `Type`, `Money`, content) "
                                        "VALUES(?, ?, '충전', 10000, '입금')"),
                         {office, office});
        }
        club = data.insert(QStringLiteral("INSERT INTO teranclub(id, clubname, kind, tb, content) "
                                          "VALUES(?, '강남클럽', '친목', 'apt,villa', '')"),
                           {b})
                   .toInt();
        data.execute(
            QStringLiteral("INSERT INTO teranclub_mem(club_idx, id, level) VALUES(?, ?, 3), (?, ?, 1)"),
            {club, b, club, a});
        asA = server->connectAs(a, QStringLiteral("pw-a'\\1"));
    }

    void listing(const QString& office, int number, const QString& tb, int state) {
        server->data().execute(
            QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, ty, state, money_m, showday) "
                           "VALUES(?, ?, ?, 'M', ?, 100, NOW())"),
            {office, number, tb, state});
    }

    QList<int> numbersOf(SqlStore& store, const QString& office) {
        QList<int> numbers;
        QSqlQuery q =
            store.query(QStringLiteral("SELECT sub_idx FROM maemul WHERE id=? ORDER BY sub_idx"), {office});
        while (q.next())
            numbers << q.value(0).toInt();
        return numbers;
    }

    QVariant vendorScalar(const char* sql, const QVariantList& values = {}) {
        return server->data().scalar(QString::fromUtf8(sql), values);
    }

    std::unique_ptr<SecuredScratchServer> server;
    std::unique_ptr<SqlStore> asA;
    QString a;
    QString b;
    int club = 0;
};

TERAN_SUITE_NEEDS(SecuredServerTest, mariadb);

TEST_F(SecuredServerTest, AnOfficeReadsWhatIsSharedWithItAndItsOwnRows) {
    // An associate of B's club sees B's internet listing only; its own rows all.
    EXPECT_EQ(numbersOf(*asA, b), QList<int>({1}));
    EXPECT_EQ(numbersOf(*asA, a), QList<int>({1, 2, 3, 4}));
    // A full member sees the club listings of the types the club shares.
    server->data().execute(QStringLiteral("UPDATE teranclub_mem SET level=2 WHERE id=?"), {a});
    EXPECT_EQ(numbersOf(*asA, b), QList<int>({1, 2}));

    // Other offices' accounts by their public columns; the office's own whole.
    QSqlQuery other = asA->query(QStringLiteral("SELECT memPWD, jumin1, jumin2, email, shopname FROM members "
                                                "WHERE memID=?"),
                                 {b});
    ASSERT_TRUE(other.next());
    EXPECT_EQ(other.value(0).toString(), QString());
    EXPECT_TRUE(other.value(1).isNull());
    EXPECT_TRUE(other.value(2).isNull());
    EXPECT_TRUE(other.value(3).isNull());
    EXPECT_EQ(other.value(4).toString(), QStringLiteral("테스트부동산"));
    QSqlQuery own = asA->query(QStringLiteral("SELECT memPWD, jumin2 FROM members WHERE memID=?"), {a});
    ASSERT_TRUE(own.next());
    EXPECT_EQ(own.value(0).toString(), QString()) << "no password is kept in the table";
    EXPECT_EQ(own.value(1).toString(), QStringLiteral("1234567"));
    EXPECT_EQ(vendorScalar("SELECT memPWD FROM members WHERE memID=?", {a}).toString(), QString());

    // Only the office's own inquiry box and cash.
    EXPECT_EQ(asA->scalar(QStringLiteral("SELECT COUNT(*) FROM mem_paper")).toInt(), 1);
    EXPECT_EQ(asA->scalar(QStringLiteral("SELECT COUNT(*) FROM mem_paper WHERE toid=?"), {b}).toInt(), 0);
    EXPECT_EQ(asA->scalar(QStringLiteral("SELECT COALESCE(SUM(`Money`),0) FROM mem_cash")).toInt(), 10000);
    EXPECT_EQ(asA->scalar(QStringLiteral("SELECT COUNT(*) FROM mem_cash WHERE companyID=?"), {b}).toInt(), 0);
    // The tables behind the views are out of reach.
    EXPECT_THROW(asA->scalar(QStringLiteral("SELECT COUNT(*) FROM `%1`.members")
                                 .arg(SecuredServer::dataDatabaseOf(server->adminUrl().database))),
                 StoreError);
}

TEST_F(SecuredServerTest, EveryChangeToAnotherOfficesRowsIsRefused) {
    const auto refused = [&](const char* sql, const QVariantList& values = {}) {
        int changed = -1;
        try {
            changed = asA->execute(QString::fromUtf8(sql), values);
        } catch (const StoreError&) {
            return;
        }
        EXPECT_EQ(changed, 0) << sql;
    };
    // Listings: change, delete, re-own, write in B's name.
    refused("UPDATE maemul SET money_m=1 WHERE id=?", {b});
    refused("UPDATE maemul SET id=? WHERE id=?", {a, b});
    refused("DELETE FROM maemul WHERE id=?", {b});
    refused("INSERT INTO maemul(id, sub_idx, tb, state) VALUES(?, 99, 'apt', 1)", {b});
    refused("UPDATE maemul SET id=? WHERE id=? AND sub_idx=4", {b, a});
    // Pictures of B's listings.
    refused("UPDATE filebox SET Img1='x.jpg' WHERE `ID`=?", {b});
    refused("DELETE FROM filebox WHERE `ID`=?", {b});
    // Accounts: B's password and details, or A's own office and password columns.
    refused("UPDATE members SET memPWD='x' WHERE memID=?", {b});
    refused("UPDATE members SET name='x' WHERE memID=?", {a});
    refused("UPDATE my_member SET admin_msg='1' WHERE memID=?", {b});
    refused("UPDATE my_member SET companyID=? WHERE memID=?", {b, a});
    refused("INSERT INTO members(companyID, memID, memType) VALUES(?, 'intruder', 'B')", {b});
    refused("DELETE FROM members WHERE memID=?", {b});
    // B's inquiries and the cash ledger.
    refused("UPDATE mem_paper SET readok=1 WHERE toid=?", {b});
    refused("DELETE FROM mem_paper WHERE toid=?", {b});
    refused("INSERT INTO mem_cash(companyID, `ID`, `Money`) VALUES(?, ?, 1000000)", {a, a});
    refused("UPDATE mem_cash SET `Money`=1000000");
    refused("DELETE FROM mem_cash WHERE companyID=?", {b});
    // Clubs change only through their procedures.
    refused("UPDATE teranclub_mem SET level=2 WHERE id=?", {a});
    refused("INSERT INTO teranclub_mem(club_idx, id, level) VALUES(?, ?, 3)", {club, a});
    refused("UPDATE teranclub SET id=? WHERE table_idx=?", {a, club});

    // Nothing of B's changed.
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM maemul WHERE id=? AND money_m=100", {b}).toInt(), 4);
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM maemul WHERE id=?", {a}).toInt(), 4);
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM filebox WHERE `ID`=? AND Img1='p.jpg'", {b}).toInt(), 1);
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM mem_paper WHERE toid=? AND readok=0", {b}).toInt(), 1);
    EXPECT_EQ(vendorScalar("SELECT SUM(`Money`) FROM mem_cash").toInt(), 20000);
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM members WHERE companyID=?", {b}).toInt(), 1);
    EXPECT_EQ(vendorScalar("SELECT companyID FROM members WHERE memID=?", {a}).toString(), a);
    EXPECT_EQ(vendorScalar("SELECT level FROM teranclub_mem WHERE id=?", {a}).toInt(), 1);
}

TEST_F(SecuredServerTest, AnOfficeDoesItsOwnWorkAndWritesMessagesInItsOwnName) {
    const int added = asA->insert(QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, state, showday) "
                                                 "VALUES(?, 5, 'villa', 1, NOW())"),
                                  {a})
                          .toInt();
    EXPECT_GT(added, 0);
    EXPECT_EQ(asA->execute(QStringLiteral("UPDATE maemul SET money_m=7 WHERE id=? AND sub_idx=5"), {a}), 1);
    EXPECT_EQ(asA->execute(QStringLiteral("DELETE FROM maemul WHERE id=? AND sub_idx IN (4, 5)"), {a}), 2);
    EXPECT_EQ(asA->execute(QStringLiteral("UPDATE filebox SET Img1='q.jpg' WHERE `ID`=?"), {a}), 1);
    EXPECT_EQ(
        asA->execute(QStringLiteral("UPDATE my_member SET admin_msg='', nowdata=12 WHERE memID=?"), {a}), 1);
    EXPECT_EQ(asA->execute(QStringLiteral("UPDATE mem_paper SET readok=1, readday=NOW() WHERE toid=?"), {a}),
              1);
    asA->execute(QStringLiteral("INSERT INTO mem_history(id, content) VALUES(?, '읽음')"), {a});

    // A message to B lands in B's box with A as its sender, whatever A wrote there.
    asA->execute(QStringLiteral("INSERT INTO mem_paper(id, toid, fromid, name, title, content, readok) "
                                "VALUES(?, ?, ?, '가짜', '제목', '본문', 1)"),
                 {b, b, b});
    QSqlQuery sent = server->data().query(
        QStringLiteral("SELECT fromid, readok FROM mem_paper WHERE toid=? AND title='제목'"), {b});
    ASSERT_TRUE(sent.next());
    EXPECT_EQ(sent.value(0).toString(), a);
    EXPECT_EQ(sent.value(1).toInt(), 0);
    EXPECT_EQ(asA->execute(QStringLiteral("DELETE FROM mem_paper WHERE toid=?"), {a}), 1);

    EXPECT_EQ(vendorScalar("SELECT nowdata FROM members WHERE memID=?", {a}).toInt(), 12);
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM maemul WHERE id=?", {a}).toInt(), 3);
}

// The club routines check their caller themselves: what the program refuses before it calls them
// (tried through the program by ClubsTest on both backends) a caller that goes round it meets here.
TEST_F(SecuredServerTest, ClubsChangeOnlyThroughRoutinesThatCheckTheCaller) {
    const auto call = [](SqlStore& store, const QString& sql, const QVariantList& values = {}) {
        store.execute(sql, values);
        return store.scalar(QStringLiteral("SELECT @teran_result"), {}, 0).toInt();
    };
    const auto refusal = [&](SqlStore& store, const QString& sql, const QVariantList& values = {}) {
        try {
            call(store, sql, values);
        } catch (const StoreError& error) {
            return error.description();
        }
        return QStringLiteral("(done)");
    };
    const auto level = [&](int club, const QString& id) {
        return vendorScalar("SELECT level FROM teranclub_mem WHERE club_idx=? AND id=?", {club, id}).toInt();
    };
    auto asB = server->connectAs(b, QStringLiteral("pw-b"));
    server->data().execute(QStringLiteral("DELETE FROM teranclub_mem WHERE id=?"), {a}); // out of B's club
    const int made = call(*asA, QStringLiteral("CALL club_save(0, '서초모임', '친목', 'apt,villa', '소개')"));
    ASSERT_GT(made, 0);
    call(*asB, QStringLiteral("CALL club_join(?)"), {made});
    EXPECT_EQ(level(made, b), 1);
    EXPECT_EQ(numbersOf(*asB, a), QList<int>({1})) << "an associate reads none of the club's listings";

    // What the program refuses before it calls a routine (ClubsTest), a caller that goes round it
    // hears from the routine.
    const struct {
        SqlStore* caller;
        const char* sql;
        const char* said;
    } refusals[] = {
        {asA.get(), "CALL club_save(0, '', '친목', 'apt', '')", "클럽명을 적어주세요."},
        {asB.get(), "CALL club_set_level(?, '%1', 2)", "클럽회장만"},
        {asB.get(), "CALL club_save(?, '빼앗음', '친목', 'apt', '')", "클럽회장만"},
        {asA.get(), "CALL club_delete(?)", "가입되어있는 회원(1명)이"},
        {asA.get(), "CALL club_change_chair(?, 'nobody')", "'nobody' 님은 클럽에 등록된 회원이 아닙니다."},
        {asB.get(), "CALL club_change_chair(?, '%1')", "클럽회장만"},
    };
    for (const auto& refused : refusals) {
        const QString sql = QString::fromUtf8(refused.sql).replace(QStringLiteral("%1"), b);
        const QString said =
            refusal(*refused.caller, sql, sql.contains('?') ? QVariantList{made} : QVariantList{});
        EXPECT_TRUE(said.contains(QString::fromUtf8(refused.said)))
            << refused.sql << ": " << said.toStdString();
    }

    call(*asA, QStringLiteral("CALL club_set_level(?, ?, 2)"), {made, b});
    EXPECT_EQ(numbersOf(*asB, a), QList<int>({1, 2}));
    call(*asA, QStringLiteral("CALL club_change_chair(?, ?)"), {made, b});
    EXPECT_EQ(level(made, a), 2);
    EXPECT_EQ(level(made, b), 3);
    EXPECT_TRUE(refusal(*asB, QStringLiteral("CALL club_leave(?)"), {made})
                    .contains("클럽회장은 탈퇴할 수 없습니다"));
    call(*asA, QStringLiteral("CALL club_leave(?)"), {made});
    call(*asB, QStringLiteral("CALL club_delete(?)"), {made});
    EXPECT_EQ(vendorScalar("SELECT COUNT(*) FROM teranclub_mem WHERE club_idx=?", {made}).toInt(), 0);
}

// The SMS gateway connects with its own account: it finds the office of a gateway account and
// charges the office's cash, and reads nothing else; no office reads the gateway's accounts.
TEST_F(SecuredServerTest, TheGatewayChargesThroughItsOwnAccountAndReadsNothingElse) {
    ServerSmsAccounts::createTable(server->data());
    const SmsAccount forA = ServerSmsAccounts::makeAccount(server->data(), a);
    SqlStore vendor(QStringLiteral("secured-gateway-vendor"));
    vendor.open(server->adminUrl());
    const QString name =
        SecuredServer(vendor, server->adminUrl().database).setGatewayAccount(QStringLiteral("gw-pw"));
    StoreUrl url = server->dataUrl();
    url.user = name;
    url.password = QStringLiteral("gw-pw");
    {
        SqlStore gateway(QStringLiteral("secured-gateway"));
        gateway.open(url);
        ServerSmsAccounts accounts(gateway);
        EXPECT_EQ(accounts.officeOf(forA.user, forA.password), std::optional<QString>(a));
        EXPECT_EQ(accounts.officeOf(forA.user, QStringLiteral("guess")), std::nullopt);
        EXPECT_TRUE(
            accounts.charge(a, forA.user, SmsRecordFields{{}, {}, forA.user, {}, "01011112222", {}, "안내"}));
        EXPECT_THROW(gateway.scalar(QStringLiteral("SELECT COUNT(*) FROM members")), StoreError);
        EXPECT_THROW(gateway.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")), StoreError);
        EXPECT_THROW(gateway.execute(QStringLiteral("DELETE FROM mem_cash")), StoreError);
    }
    EXPECT_EQ(vendorScalar("SELECT SUM(`Money`) FROM mem_cash WHERE companyID=?", {a}).toInt(), 9970);
    EXPECT_THROW(asA->scalar(QStringLiteral("SELECT COUNT(*) FROM `%1`.sms_account")
                                 .arg(SecuredServer::dataDatabaseOf(server->adminUrl().database))),
                 StoreError);
    vendor.execute(QStringLiteral("DROP USER IF EXISTS '%1'@'%'").arg(name));
}

} // namespace
} // namespace teran
