#include "core/session/Session.h"
#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "core/session/InternetProbe.h"
#include "core/session/OfficeFile.h"
#include "core/session/StoreSetup.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>

using namespace teran;
using namespace teran::test;

namespace {

const QString kOffice = QStringLiteral("office1");

// A data folder with its ListingStore, a ServerStore of the chosen backend holding the office's
// account, and a session configured to reach both.
class SessionFixture : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "The loopback HTTP server");
        server = GetParam() == Backend::Sqlite ? ScratchStore::sqlite() : ScratchStore::mariaDb();
        TERAN_REQUIRE_SERVICE(server != nullptr, "MariaDB");
        initDataFolder(DataFolder(dir.path()));
        initServerStore(server->store(), {QStringLiteral("ftp-secret"), 7777});
        server->store().execute(
            QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name) "
                           "VALUES(?,?,?,?,?)"),
            {kOffice, kOffice, QStringLiteral("A"), QStringLiteral("pw"), QStringLiteral("김대표")});
        config = TeranConfig::demoDefaults(dir.path());
        config.serverUrl = server->url().toString();
        config.probeUrl = probeServiceUrl();
    }

    std::unique_ptr<Session> makeSession() {
        auto session = std::make_unique<Session>(config, clock, dialogs);
        session->setProgramEnd([this](int code) { endedWith = code; });
        session->state().LoginId = kOffice;
        return session;
    }

    QVariant memberValue(const char* column) {
        return server->store().scalar(
            QStringLiteral("SELECT %1 FROM members WHERE memID=?").arg(QLatin1String(column)), {kOffice});
    }

    QTemporaryDir dir;
    std::unique_ptr<ScratchStore> server;
    TeranConfig config;
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    int endedWith = -1;
};

} // namespace

TERAN_SUITE_NEEDS(InternetProbe, web);
TERAN_SUITE_NEEDS(SessionFailures, web);
TERAN_SUITE_NEEDS(SessionFixture, web);
TERAN_CASE_NEEDS(SessionFixture, InternetCheckReportsLocalListingsAndReadsThePicturePassword, ftp);

TEST_P(SessionFixture, InternetCheckReportsLocalListingsAndReadsThePicturePassword) {
    auto session = makeSession();
    ASSERT_TRUE(session->MdbsqlConnOpen());
    session->listingStore().execute(QStringLiteral("INSERT INTO maemul(id, tb, ty, state) VALUES(?,?,?,?)"),
                                    {kOffice, QStringLiteral("apt"), QStringLiteral("M"), 0});
    session->listingStore().execute(QStringLiteral("INSERT INTO maemul(id, tb, ty, state) VALUES(?,?,?,?)"),
                                    {kOffice, QStringLiteral("land"), QStringLiteral("J"), 2});

    session->InternetCheck();

    EXPECT_TRUE(session->state().InternetOk);
    EXPECT_TRUE(session->serverOpen());
    EXPECT_EQ(memberValue("nowdata").toInt(), 2);
    EXPECT_TRUE(SqlStore::toDateTime(memberValue("lastDay")).isValid());
    EXPECT_EQ(session->state().FtpPassword, QStringLiteral("ftp-secret"));
    EXPECT_TRUE(dialogs.shown().isEmpty());
}

TEST_P(SessionFixture, WithoutInternetTheServerIsNeverTouched) {
    config.probeUrl = closedPortUrl();
    auto session = makeSession();
    QSignalSpy opened(session.get(), &Session::storeOpened);
    ASSERT_TRUE(session->MdbsqlConnOpen());
    session->listingStore().execute(QStringLiteral("INSERT INTO maemul(id, tb, ty, state) VALUES(?,?,?,?)"),
                                    {kOffice, QStringLiteral("apt"), QStringLiteral("M"), 0});
    session->InternetCheck();
    session->ensureOpen();
    ASSERT_EQ(opened.size(), 1) << "the office's own store only";
    EXPECT_EQ(opened.at(0).at(0).value<StoreKind>(), StoreKind::Listing);
    EXPECT_FALSE(session->state().InternetOk);
    EXPECT_FALSE(session->serverOpen());
    EXPECT_TRUE(memberValue("nowdata").isNull());
    EXPECT_TRUE(session->state().FtpPassword.isEmpty());
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("Log"))).entryList(QDir::Files).size() > 0)
        << "being offline is not an error";
    EXPECT_EQ(endedWith, -1);
}

TEST_P(SessionFixture, EnsureOpenOpensTheServerFirstAndNothingTwice) {
    auto session = makeSession();
    QSignalSpy opened(session.get(), &Session::storeOpened);
    session->state().InternetOk = true;
    session->ensureOpen();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened.at(0).at(0).value<StoreKind>(), StoreKind::Server);
    EXPECT_EQ(opened.at(1).at(0).value<StoreKind>(), StoreKind::Listing);
    session->ensureOpen();
    EXPECT_EQ(opened.size(), 2) << "open stores stay as they are";
}

INSTANTIATE_TEST_SUITE_P(Backends, SessionFixture, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// The internet answers but the vendor's database does not: a clear fatal box, then the end.
TEST(SessionFailures, ServerRefusingWhileTheInternetAnswersEndsTheProgram) {
    TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "The loopback HTTP server");
    QTemporaryDir dir;
    initDataFolder(DataFolder(dir.path()));
    TeranConfig config = TeranConfig::demoDefaults(dir.path());
    config.probeUrl = probeServiceUrl();
    config.serverUrl =
        QStringLiteral("mysql://terandbuser:x@127.0.0.1:%1/teran").arg(QUrl(closedPortUrl()).port());
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    int endedWith = -1;
    session.setProgramEnd([&](int code) { endedWith = code; });
    ASSERT_TRUE(session.MdbsqlConnOpen());

    session.InternetCheck();

    EXPECT_EQ(endedWith, 1);
    EXPECT_TRUE(session.endRequested());
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().title, serverRefusedTitle());
    EXPECT_TRUE(dialogs.shown().first().text.startsWith(
        QStringLiteral("인터넷은 연결되어 있으나 본사 서버에 접속할 수 없습니다.")));
    QFile log(session.log().fileFor(clock.today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("서버 연결오류 MysqlConnOpen => ")));
}

// An address that cannot be read is the settings' fault: the box says so, not "cannot connect".
TEST(SessionFailures, AGarbageServerAddressIsReportedAsWrongSettings) {
    TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "The loopback HTTP server");
    QTemporaryDir dir;
    initDataFolder(DataFolder(dir.path()));
    TeranConfig config = TeranConfig::demoDefaults(dir.path());
    config.probeUrl = probeServiceUrl();
    config.serverUrl = QStringLiteral("db-host:3306 teran");
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    session.setProgramEnd([](int) {});
    ASSERT_TRUE(session.MdbsqlConnOpen());

    session.InternetCheck();

    ASSERT_EQ(dialogs.shown().size(), 1);
    const QString text = dialogs.shown().first().text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("설정파일(teran.ini)의 본사 서버 주소가 올바르지 않습니다.")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("db-host:3306 teran")));
    EXPECT_FALSE(text.contains(QStringLiteral("인터넷은 연결되어 있으나")));
}

TEST(SessionFailures, AMissingListingStoreIsReportedAndNotCreated) {
    QTemporaryDir dir;
    TeranConfig config = TeranConfig::demoDefaults(dir.path());
    FixedClock clock{QDateTime(QDate(2026, 12, 6), QTime(10, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    EXPECT_FALSE(session.MdbsqlConnOpen());
    EXPECT_FALSE(session.listingOpen());
    EXPECT_FALSE(QFile::exists(session.dataFolder().listingStoreFile())) << "no empty database may appear";
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().title, officeFileTitle());
    EXPECT_TRUE(dialogs.shown().first().text.startsWith(QStringLiteral("사무실 자료 파일이 없습니다.")));
    QFile log(session.log().fileFor(clock.today()));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(log.readAll()).contains(QStringLiteral("mdb 연결오류 MdbsqlConnOpen => ")));
}

TEST(InternetProbe, AnswersForALivePageAndNotForAClosedPortOrAMissingPage) {
    TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "The loopback HTTP server");
    EXPECT_TRUE(HttpProbe(probeServiceUrl(), 3000).reachable());
    EXPECT_FALSE(HttpProbe(closedPortUrl(), 3000).reachable());
    EXPECT_FALSE(HttpProbe(webServiceUrl() + QStringLiteral("no-such-page.html"), 3000).reachable());
    EXPECT_FALSE(HttpProbe(QString(), 3000).reachable());
}
