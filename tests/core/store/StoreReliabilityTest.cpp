#include "TestOffice.h"
#include "core/session/LoginService.h"
#include "core/session/OfficeFile.h"
#include "core/session/SessionLoader.h"
#include "core/session/StoreSetup.h"
#include "core/store/PasswordHash.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSettings>
#include <QSqlQuery>

using namespace teran;
using namespace teran::test;

namespace {

QByteArray fileDigest(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

QString readLog(const Session& session, const FixedClock& clock) {
    QFile log(session.log().fileFor(clock.today()));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

// A data folder whose office file a test damages before the program opens it.
class OfficeFileTest : public testing::Test {
protected:
    void SetUp() override {
        initDataFolder(DataFolder(dir.path()));
        config = TeranConfig::demoDefaults(dir.path());
        path = DataFolder(dir.path()).listingStoreFile();
    }
    std::unique_ptr<Session> session() { return std::make_unique<Session>(config, clock, dialogs); }
    void overwrite(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    QByteArray contents() {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    TeranConfig config;
    QString path;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
};

} // namespace

// An emptied office file is not silently taken for a new office; the user decides.
TEST_F(OfficeFileTest, AnEmptyOfficeFileIsOpenedOnlyWhenTheUserSaysItIsANewOffice) {
    overwrite({});
    auto refused = session();
    dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(refused->MdbsqlConnOpen());
    EXPECT_FALSE(refused->listingOpen());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().title, officeFileTitle());
    EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("사무실 자료 파일이 비어 있습니다.")));
    EXPECT_EQ(dialogs.shown().first().buttons, DialogButtons::YesNoDefaultNo)
        << "a stray Enter must not replace the office";
    EXPECT_TRUE(contents().isEmpty()) << "the refused file must stay as it was";
    EXPECT_TRUE(readLog(*refused, clock).contains(QStringLiteral("office database without an office")));

    auto accepted = session();
    dialogs.answerNext(DialogAnswer::Yes);
    ASSERT_TRUE(accepted->MdbsqlConnOpen());
    EXPECT_TRUE(accepted->listingStore().hasTable(QStringLiteral("maemul")));
}

// Damaged files are named in Korean and left byte for byte as they were, for a rescue.
TEST_F(OfficeFileTest, ATruncatedOrForeignFileIsRefusedAndLeftUntouched) {
    {
        SqlStore store(QStringLiteral("fill"));
        store.open(StoreUrl::sqliteFile(path));
        for (int i = 0; i < 300; ++i)
            store.execute(QStringLiteral("INSERT INTO post (addr1, addr4) VALUES (?, ?)"),
                          {QStringLiteral("서울"), QString(QLatin1Char('x')).repeated(200)});
    }
    const QByteArray whole = contents();
    const struct {
        const char* name;
        QByteArray bytes;
        QString start;
    } cases[] = {
        {"truncated", whole.left(whole.size() / 2), QStringLiteral("사무실 자료 파일이 손상되었습니다.")},
        {"cut inside a page", whole.left(whole.size() - 100),
         QStringLiteral("사무실 자료 파일이 손상되었습니다.")},
        {"a text file", QByteArray("이 파일은 메모입니다\n"),
         QStringLiteral("사무실 자료 파일이 프로그램의 자료 파일이 아닙니다.")},
        {"a header only", whole.left(60), QStringLiteral("사무실 자료 파일이 손상되었습니다.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        overwrite(c.bytes);
        const QByteArray before = fileDigest(path);
        dialogs.clear();
        auto s = session();
        EXPECT_FALSE(s->MdbsqlConnOpen());
        ASSERT_EQ(dialogs.shown().size(), 1);
        EXPECT_EQ(dialogs.shown().first().title, officeFileTitle());
        EXPECT_TRUE(dialogs.lastText().startsWith(c.start)) << dialogs.lastText().toStdString();
        EXPECT_TRUE(dialogs.lastText().contains(QStringLiteral("그대로 두었습니다")));
        EXPECT_EQ(fileDigest(path), before);
    }
}

// Faults the database reports later (a damaged page, a read-only share, a full disk) are told
// in Korean, under a title, with what to do.
TEST(StoreErrorTexts, DatabaseFaultsAreToldInKoreanWithWhatToDo) {
    const struct {
        const char* said;
        QString title;
    } cases[] = {
        {"database disk image is malformed (Unable to execute statement)", QStringLiteral("자료 파일 손상")},
        {"attempt to write a readonly database", QStringLiteral("자료 저장 오류")},
        {"database or disk is full", QStringLiteral("자료 저장 오류")},
        {"database is locked", QStringLiteral("자료 사용 중")},
        {"MySQL server has gone away", QStringLiteral("서버 연결오류")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        const StoreErrorText text = describeStoreError(StoreError(QLatin1String(c.said), QStringLiteral("x")),
                                                       false, QStringLiteral("/srv/office/Log"));
        EXPECT_EQ(text.title, c.title);
        EXPECT_FALSE(text.text.contains(QLatin1String(c.said))) << "the database's words belong in the log";
        EXPECT_TRUE(text.text.contains(QStringLiteral("오류 기록(/srv/office/Log)")));
    }
}

namespace {

class StoreSafetyTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB and the loopback HTTP server");
        office->addMember(QStringLiteral("off1"), QStringLiteral("st9"), QStringLiteral("B"), kSecret,
                          QStringLiteral("최사원"));
    }
    bool logIn(Session& session, const QString& id, const QString& password) {
        LoginIni ini(office->loginIniPath());
        if (!session.MdbsqlConnOpen())
            return false;
        return LoginService(session, ini).login({id, password, false, false}).succeeded() &&
               SessionLoader(session).load() == LoadOutcome::Loaded;
    }

    const QString kSecret = QStringLiteral("Secret-Pass-7731");
    std::unique_ptr<TestOffice> office;
};

} // namespace

// The office database keeps hashes only, also of rows an older version left in clear text, and
// its file is readable by the owner and the office's group only.
TEST_P(StoreSafetyTest, NoStaffPasswordIsKeptReadableInTheOfficeDatabase) {
    {
        auto first = office->newSession();
        ASSERT_TRUE(logIn(*first, QStringLiteral("st9"), kSecret));
    }
    // As an older version left it: the password in clear text and no hashing step applied yet.
    {
        SqlStore older(uniqueName(QStringLiteral("older")));
        older.open(office->listingUrl());
        older.execute(QStringLiteral("UPDATE members SET memPWD=? WHERE memID='st9'"), {kSecret});
        older.execute(QStringLiteral("DELETE FROM teran_schema WHERE version >= 3"));
    }
    {
        auto second = office->newSession();
        office->goOffline();
        ASSERT_TRUE(logIn(*second, QStringLiteral("st9"), kSecret)) << "offline against the hash";
        EXPECT_FALSE(logIn(*second, QStringLiteral("st9"), QStringLiteral("wrong")));
    }
    const QString kept =
        office->localValue(QStringLiteral("SELECT memPWD FROM members WHERE memID='st9'")).toString();
    EXPECT_TRUE(PasswordHash::isHash(kept));
    if (GetParam() == Backend::Sqlite) {
        const QString path = DataFolder(office->dir.path()).listingStoreFile();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_FALSE(bytes.contains(kSecret.toUtf8())) << "the old clear text must not stay in free pages";
        EXPECT_FALSE(bytes.contains(QByteArrayLiteral("pw2")));
        EXPECT_EQ(QFile::permissions(path) & (QFileDevice::ReadOther | QFileDevice::WriteOther), 0);
    }
}

// The server dropped the connection (a restart does the same): the next action reconnects and
// succeeds, and the session hears the connection go and come back.
TEST_P(StoreSafetyTest, ALostServerConnectionComesBackOnTheNextAction) {
    if (GetParam() != Backend::MariaDb)
        GTEST_SKIP() << "an SQLite server file has no connection to lose";
    auto session = office->newSession();
    ASSERT_TRUE(logIn(*session, QStringLiteral("off1"), QStringLiteral("pw1")));
    QList<bool> heard;
    QObject::connect(session.get(), &Session::serverConnectionChanged, [&heard](bool up) { heard << up; });

    auto killConnection = [&] {
        const qint64 id =
            session->serverStore().scalar(QStringLiteral("SELECT CONNECTION_ID()")).toLongLong();
        QSqlQuery kill(office->server().database());
        ASSERT_TRUE(kill.exec(QStringLiteral("KILL %1").arg(id)));
    };
    killConnection();
    // A read goes again on a new connection.
    EXPECT_EQ(
        session->serverStore()
            .scalar(QStringLiteral("SELECT COUNT(*) FROM members WHERE memID=?"), {QStringLiteral("off1")})
            .toInt(),
        1);
    EXPECT_EQ(heard, (QList<bool>{false, true}));

    // A transaction cut by the loss half-way is run again as a whole (the server rolled it back).
    int runs = 0;
    session->serverStore().transact([&] {
        ++runs;
        session->serverStore().execute(QStringLiteral("UPDATE members SET name=? WHERE memID=?"),
                                       {QStringLiteral("김대표님"), QStringLiteral("off1")});
        if (runs == 1)
            killConnection();
        session->serverStore().execute(QStringLiteral("UPDATE members SET homtel=? WHERE memID=?"),
                                       {QStringLiteral("02-000-0000"), QStringLiteral("off1")});
    });
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(office->serverValue(QStringLiteral("SELECT name FROM members WHERE memID='off1'")).toString(),
              QStringLiteral("김대표님"));
    EXPECT_TRUE(session->serverOpen());

    // A write the server never received (its statement could not even be prepared) goes again.
    killConnection();
    EXPECT_EQ(session->serverStore().execute(QStringLiteral("UPDATE members SET name=? WHERE memID=?"),
                                             {QStringLiteral("김대표"), QStringLiteral("off1")}),
              1);
    EXPECT_TRUE(session->serverOpen());
}

INSTANTIATE_TEST_SUITE_P(Backends, StoreSafetyTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
