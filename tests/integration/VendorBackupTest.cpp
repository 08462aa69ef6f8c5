#include "AdminRun.h"
#include "SecondMariaDb.h"
#include "SecuredScratch.h"
#include "TestNeeds.h"
#include "core/online/SecuredServer.h"
#include "core/online/VendorManifest.h"
#include "core/store/SqlStore.h"
#include "core/store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace teran;
using namespace teran::test;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray randomBytes(int size) {
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

// What an office sees of its own: its listings, its cash, its inquiries and its own account row;
// and of the others, the shared listings.
QStringList ownView(SqlStore& member, const QString& office) {
    const std::pair<const char*, QString> reads[] = {
        {"maemul",
         QStringLiteral("SELECT sub_idx, tb, state, money_m FROM maemul WHERE id=? ORDER BY sub_idx")},
        {"cash", QStringLiteral("SELECT `Type`, `Money`, content FROM mem_cash ORDER BY `Money`")},
        {"paper", QStringLiteral("SELECT fromid, title FROM mem_paper ORDER BY table_idx")},
        {"member", QStringLiteral("SELECT shopname, homtel, hantel, shopnum FROM my_member")},
        {"shared", QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id<>?")},
    };
    QStringList seen;
    for (const auto& [what, sql] : reads) {
        QSqlQuery rows =
            member.query(sql, sql.contains(QLatin1Char('?')) ? QVariantList{office} : QVariantList{});
        while (rows.next()) {
            QStringList values{QString::fromLatin1(what)};
            for (int i = 0; i < rows.record().count(); ++i)
                values << rows.value(i).toString();
            seen << values.join(QLatin1Char(' '));
        }
    }
    return seen;
}

// Two offices made by `teran-admin add-office` on a vendor's server, with listings (shared and
// not), cash, an inquiry from one to the other and pictures in their folders.
class VendorBackupTest : public testing::Test {
protected:
    void SetUp() override {
        server = SecuredScratchServer::make();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        TERAN_REQUIRE_SERVICE(!QStandardPaths::findExecutable(QStringLiteral("mariadb-dump")).isEmpty(),
                              "mariadb-dump (mariadb-client)");
        a = uniqueAccountName(QStringLiteral("va"));
        b = uniqueAccountName(QStringLiteral("vb"));
        addOffice(a, passwordA, QStringLiteral("가나부동산"));
        addOffice(b, passwordB, QStringLiteral("다라부동산"));
        auto asA = server->connectAs(a, passwordA);
        auto asB = server->connectAs(b, passwordB);
        listing(*asA, a, 1, 1);
        listing(*asA, a, 2, 0);
        listing(*asB, b, 7, 1);
        asA->execute(QStringLiteral("INSERT INTO mem_paper(id, toid, name, tel, title, content, readok) "
                                    "VALUES(?, ?, '가나', '02-555-1234', '매물 문의', '내용', 0)"),
                     {b, b});
        for (const auto& [office, money, what] :
             {std::tuple{a, 30000, "충전"}, std::tuple{a, -20, "문자"}, std::tuple{b, 5000, "충전"}})
            server->data().execute(
                QStringLiteral("INSERT INTO mem_cash(companyID, `ID`, `Type`, `Money`, content) "
                               "VALUES(?, ?, ?, ?, '장부')"),
                {office, office, QString::fromUtf8(what), money});
        {
            SqlStore vendor(uniqueName(QStringLiteral("vendor")));
            vendor.open(server->adminUrl());
            gateway = SecuredServer(vendor, server->adminUrl().database).setGatewayAccount(gatewayPassword);
        }
        // What the account carries besides its password must come back with it.
        QSqlQuery(server->data().database())
            .exec(QStringLiteral("ALTER USER '%1'@'%' REQUIRE SSL WITH MAX_USER_CONNECTIONS 7").arg(b));
        pictures = dir.filePath(QStringLiteral("docs/files"));
        writeFile(pictures + QStringLiteral("/") + a + QStringLiteral("/1_1.jpg"), randomBytes(4000));
        writeFile(pictures + QStringLiteral("/") + b + QStringLiteral("/7_1.jpg"), randomBytes(900));
        backup = dir.filePath(QStringLiteral("backup"));
    }

    void addOffice(const QString& id, const QString& password, const QString& shop) {
        const AdminRun made = admin(
            {QStringLiteral("add-office"), QStringLiteral("--server"), server->adminUrl().toString(),
             QStringLiteral("--id"), id, QStringLiteral("--password"), password, QStringLiteral("--name"),
             QStringLiteral("대표"), QStringLiteral("--shop"), shop, QStringLiteral("--phone"),
             QStringLiteral("02-555-1234"), QStringLiteral("--mobile"), QStringLiteral("010-9999-8888"),
             QStringLiteral("--address"), QStringLiteral("서울특별시 강남구 역삼동 123-4 2층"),
             QStringLiteral("--shopnum"), QStringLiteral("11680-2026-00012")});
        server->dropAtEnd(id);
        ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    }

    static void listing(SqlStore& member, const QString& office, int number, int state) {
        member.execute(QStringLiteral("INSERT INTO maemul(id, sub_idx, tb, ty, state, money_m, showday) "
                                      "VALUES(?, ?, 'apt', 'M', ?, ?, NOW())"),
                       {office, number, state, number * 1000});
    }

    AdminRun backupServer() {
        return admin({QStringLiteral("backup-server"), QStringLiteral("--server"),
                      server->adminUrl().toString(), QStringLiteral("--out"), backup,
                      QStringLiteral("--pictures"), pictures});
    }

    AdminRun restoreServer(const StoreUrl& to, const QString& from, const QString& into,
                           const QStringList& more = {}) {
        return admin(QStringList{QStringLiteral("restore-server"), QStringLiteral("--server"), to.toString(),
                                 QStringLiteral("--from"), from, QStringLiteral("--pictures"), into} +
                     more);
    }

    StoreUrl memberUrl(StoreUrl url, const QString& id, const QString& password) {
        url.user = id;
        url.password = password;
        return url;
    }

    QStringList viewOn(const StoreUrl& url, const QString& id, const QString& password) {
        SqlStore member(uniqueName(QStringLiteral("member")));
        member.open(memberUrl(url, id, password));
        return ownView(member, id);
    }

    void TearDown() override {
        if (server && !gateway.isEmpty())
            server->data().execute(QStringLiteral("DROP USER IF EXISTS '%1'@'%'").arg(gateway));
    }

    std::unique_ptr<SecuredScratchServer> server;
    QTemporaryDir dir;
    QString gateway;
    const QString gatewayPassword = QStringLiteral("gw-pw");
    QString a, b, pictures, backup;
    const QString passwordA = QStringLiteral("가나-pw'\\1");
    const QString passwordB = QStringLiteral("pw-b\"2");
};

} // namespace

TERAN_SUITE_NEEDS(VendorBackupTest, mariadb);

// The round trip: backup-server, then restore-server into a second, empty MariaDB; both offices
// log in there with their old passwords over TLS and see what they saw; the pictures are back.
TEST_F(VendorBackupTest, RestoredIntoAnEmptyServerTheOfficesLogInAndSeeTheirRows) {
    const AdminRun made = backupServer();
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    const VendorManifest manifest = VendorManifest::readChecked(backup);
    EXPECT_EQ(manifest.counts.value(QStringLiteral("maemul")), 3);
    EXPECT_EQ(manifest.counts.value(QStringLiteral("mem_cash")), 3);
    EXPECT_EQ(manifest.counts.value(QStringLiteral("pictures")), 2);
    EXPECT_EQ(manifest.cashTotal, 34980);
    EXPECT_TRUE(manifest.accounts.contains(a) && manifest.accounts.contains(b));
    EXPECT_FALSE(manifest.binlogFile.isEmpty()) << "the loopback server keeps a binary log";
    EXPECT_GT(manifest.binlogPosition, 0);
    EXPECT_FALSE(readAll(backup + QStringLiteral("/accounts.sql")).contains(passwordA.toUtf8()))
        << "only the password's hash is kept";
    EXPECT_EQ(QFile::permissions(backup + QStringLiteral("/accounts.sql")) &
                  (QFileDevice::ReadOther | QFileDevice::ReadGroup),
              QFileDevice::Permissions());

    QString why;
    auto second = SecondMariaDb::start(why);
    ASSERT_NE(second, nullptr) << why.toStdString();
    const StoreUrl target = second->adminUrl(server->adminUrl().database);
    const QString restoredPictures = dir.filePath(QStringLiteral("restored/docs/files"));
    const AdminRun restored = restoreServer(target, backup, restoredPictures);
    ASSERT_EQ(restored.exitCode, 0) << restored.errors.toStdString();

    for (const auto& [id, password] : {std::pair{a, passwordA}, std::pair{b, passwordB}}) {
        const QStringList before = viewOn(server->adminUrl(), id, password);
        EXPECT_EQ(viewOn(target, id, password), before) << id.toStdString();
        EXPECT_GE(before.size(), 4);
    }
    EXPECT_THROW(viewOn(target, a, passwordB), StoreError) << "another office's password does not open it";
    {
        SqlStore vendor(uniqueName(QStringLiteral("vendor")));
        vendor.open(target);
        QSqlQuery shown(vendor.database());
        ASSERT_TRUE(shown.exec(QStringLiteral("SHOW CREATE USER '%1'@'%'").arg(b)) && shown.next());
        EXPECT_TRUE(shown.value(0).toString().contains(QStringLiteral("REQUIRE SSL")) &&
                    shown.value(0).toString().contains(QStringLiteral("MAX_USER_CONNECTIONS 7")))
            << shown.value(0).toString().toStdString();
    }
    {
        // The ledger stays the vendor's: the restored role gives an office no write to it.
        SqlStore asA(uniqueName(QStringLiteral("member")));
        asA.open(memberUrl(target, a, passwordA));
        EXPECT_THROW(asA.execute(QStringLiteral("UPDATE mem_cash SET `Money`=1000000")), StoreError);
        EXPECT_THROW(asA.execute(QStringLiteral("DELETE FROM maemul WHERE id=?"), {b}), StoreError);
        EXPECT_EQ(asA.execute(QStringLiteral("DELETE FROM maemul WHERE id=? AND sub_idx=2"), {a}), 1);
    }
    {
        // The SMS gateway charges the offices' cash on the restored server with its own account.
        StoreUrl tables = memberUrl(target, gateway, gatewayPassword);
        tables.database = SecuredServer::dataDatabaseOf(target.database);
        SqlStore asGateway(uniqueName(QStringLiteral("gateway")));
        asGateway.open(tables);
        EXPECT_EQ(asGateway.scalar(QStringLiteral("SELECT SUM(`Money`) FROM mem_cash WHERE companyID=?"), {a})
                      .toInt(),
                  29980);
        EXPECT_EQ(asGateway.scalar(QStringLiteral("SELECT COUNT(*) FROM sms_account")).toInt(), 2);
        EXPECT_THROW(asGateway.scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")), StoreError);
    }
    for (const QString& path : {a + QStringLiteral("/1_1.jpg"), b + QStringLiteral("/7_1.jpg")})
        EXPECT_EQ(readAll(restoredPictures + QLatin1Char('/') + path),
                  readAll(pictures + QLatin1Char('/') + path))
            << path.toStdString();

    // A server that holds the data is left alone unless asked.
    const AdminRun again = restoreServer(target, backup, dir.filePath(QStringLiteral("other")));
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_TRUE(again.errors.contains(QStringLiteral("--replace"))) << again.errors.toStdString();
    const AdminRun replaced = restoreServer(target, backup, restoredPictures, {QStringLiteral("--replace")});
    ASSERT_EQ(replaced.exitCode, 0) << replaced.errors.toStdString();
    EXPECT_EQ(viewOn(target, a, passwordA), viewOn(server->adminUrl(), a, passwordA))
        << "--replace put the listing deleted above back";

    // A backup whose counts were taken in the dump's snapshot must restore to them: one that
    // does not is reported, not taken as done.
    VendorManifest claimed = VendorManifest::readChecked(backup);
    claimed.countsExact = true;
    claimed.counts[QStringLiteral("maemul")] += 1;
    claimed.write(backup);
    const AdminRun miscounted =
        restoreServer(target, backup, restoredPictures, {QStringLiteral("--replace")});
    EXPECT_EQ(miscounted.exitCode, 1);
    EXPECT_TRUE(miscounted.errors.contains(QStringLiteral("maemul 3"))) << miscounted.errors.toStdString();
}

// A backup with a changed byte, a missing file or a changed manifest is refused before anything
// on the server changes; so is a server of another database name.
TEST_F(VendorBackupTest, ADamagedBackupIsRefusedBeforeAnythingChanges) {
    const AdminRun made = backupServer();
    ASSERT_EQ(made.exitCode, 0) << made.errors.toStdString();
    const StoreUrl target = server->adminUrl(); // the same server, with --replace: it would be wiped
    const auto damagedCopy = [&](const QString& name, const std::function<void(const QString&)>& damage) {
        const QString copy = dir.filePath(name);
        QDir().mkpath(copy + QStringLiteral("/pictures"));
        for (const BackupFile& f : VendorManifest::readChecked(backup).files) {
            QDir().mkpath(QFileInfo(copy + QLatin1Char('/') + f.path).absolutePath());
            QFile::copy(backup + QLatin1Char('/') + f.path, copy + QLatin1Char('/') + f.path);
        }
        QFile::copy(backup + QStringLiteral("/manifest.json"), copy + QStringLiteral("/manifest.json"));
        damage(copy);
        return copy;
    };
    const auto flipByte = [](const QString& file) {
        QByteArray bytes = readAll(file);
        bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x20);
        writeFile(file, bytes);
    };
    const auto changeCash = [](const QString& file) {
        writeFile(file, readAll(file).replace("\"cashTotal\": 34980", "\"cashTotal\": 94980"));
    };
    const auto remove = [](const QString& file) { QFile::remove(file); };
    // Each file of the backup damaged in its way; the refusal names the file.
    const std::pair<QString, std::function<void(const QString&)>> cases[] = {
        {QStringLiteral("dump.sql"), flipByte},
        {QStringLiteral("pictures/") + a + QStringLiteral("/1_1.jpg"), flipByte},
        {QStringLiteral("accounts.sql"), remove},
        {QStringLiteral("manifest.json"), changeCash},
    };
    const QByteArray picture = readAll(pictures + QLatin1Char('/') + a + QStringLiteral("/1_1.jpg"));
    for (const auto& [file, damage] : cases) {
        SCOPED_TRACE(file.toStdString());
        const QString copy =
            damagedCopy(QFileInfo(file).fileName(), [&](const QString& c) { damage(c + '/' + file); });
        const AdminRun refused = restoreServer(target, copy, pictures, {QStringLiteral("--replace")});
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.errors.contains(QStringLiteral("손상")) &&
                    refused.errors.contains(QFileInfo(file).fileName()))
            << refused.errors.toStdString();
        EXPECT_EQ(refused.errors.trimmed().count(QLatin1Char('\n')), 0)
            << "one line: " << refused.errors.toStdString();
    }
    EXPECT_EQ(server->data().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt(), 3)
        << "left as it was";
    EXPECT_EQ(readAll(pictures + QLatin1Char('/') + a + QStringLiteral("/1_1.jpg")), picture);

    StoreUrl otherName = target;
    otherName.database = QStringLiteral("teran_elsewhere");
    const AdminRun elsewhere = restoreServer(otherName, backup, dir.filePath(QStringLiteral("x")));
    EXPECT_EQ(elsewhere.exitCode, 1);
    EXPECT_TRUE(elsewhere.errors.contains(target.database)) << elsewhere.errors.toStdString();

    const AdminRun notEmpty = backupServer();
    EXPECT_EQ(notEmpty.exitCode, 1) << "a backup goes into a new folder, never over another";
}

// add-office keeps the office's phone, mobile, address and registration number on its own row,
// where the login reads the office's details from.
TEST_F(VendorBackupTest, AddOfficeKeepsTheOfficesDetails) {
    QSqlQuery row = server->data().query(
        QStringLiteral(
            "SELECT homtel, hantel, addr1, addr2, addr3, addr4, shopnum, memPWD FROM members WHERE memID=?"),
        {a});
    ASSERT_TRUE(row.next());
    EXPECT_EQ(row.value(0).toString(), QStringLiteral("02-555-1234"));
    EXPECT_EQ(row.value(1).toString(), QStringLiteral("010-9999-8888"));
    EXPECT_EQ(
        QStringList({row.value(2).toString(), row.value(3).toString(), row.value(4).toString()}),
        QStringList({QStringLiteral("서울특별시"), QStringLiteral("강남구"), QStringLiteral("역삼동")}));
    EXPECT_EQ(row.value(5).toString(), QStringLiteral("123-4 2층"));
    EXPECT_EQ(row.value(6).toString(), QStringLiteral("11680-2026-00012"));
    EXPECT_TRUE(row.value(7).toString().isEmpty()) << "MariaDB keeps the password, not the row";
}
