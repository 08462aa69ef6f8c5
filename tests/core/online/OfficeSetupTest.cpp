#include "core/online/OfficeSetup.h"
#include "ScriptedDialogs.h"
#include "TestServices.h"
#include "core/session/LoginService.h"
#include "core/session/Session.h"
#include "core/session/SessionLoader.h"

#include <QFile>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

LoginOutcome logIn(const TeranConfig& config, const QString& iniFolder, const QString& id,
                   const QString& pw) {
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    ScriptedDialogs dialogs;
    Session session(config, clock, dialogs);
    session.setProgramEnd([](int) {});
    session.CreateDbObjects();
    if (!session.MdbsqlConnOpen())
        return LoginOutcome::Failed;
    const LoginIni ini(iniFolder + QStringLiteral("/Login.ini"));
    const LoginOutcome outcome = LoginService(session, ini).login({id, pw}).outcome;
    if (outcome == LoginOutcome::Online || outcome == LoginOutcome::Offline) {
        EXPECT_EQ(SessionLoader(session).load(), LoadOutcome::Loaded);
    }
    return outcome;
}

} // namespace

// A new office made at the first start works at once: its account logs in online on the server
// kept in its folder, today and the next day, and teran.ini names the folder.
TEST(OfficeSetupTest, ANewOfficeLogsInOnlineFromItsFirstDay) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("office"));
    const QString configFile = dir.filePath(QStringLiteral("conf/teran.ini"));
    const NewOffice office{QStringLiteral("hanbit"), QStringLiteral("pw1234"), QStringLiteral("김한빛"),
                           QStringLiteral("한빛공인중개사")};
    const OfficeChoice made = makeNewOffice(folder, office, configFile);
    ASSERT_TRUE(made.ok) << made.problem.toStdString();
    EXPECT_TRUE(QFile::exists(configFile));
    const TeranConfig config = TeranConfig::load(configFile);
    EXPECT_EQ(config.dataPath, made.config.dataPath);
    EXPECT_EQ(logIn(config, dir.path(), QStringLiteral("hanbit"), QStringLiteral("pw1234")),
              LoginOutcome::Online);
    EXPECT_EQ(logIn(config, dir.path(), QStringLiteral("hanbit"), QStringLiteral("pw1234")),
              LoginOutcome::Online)
        << "and again the next morning";
    EXPECT_EQ(logIn(config, dir.path(), QStringLiteral("hanbit"), QStringLiteral("wrong")),
              LoginOutcome::WrongPassword);

    // The same folder cannot be made an office twice; it is opened as the office it is.
    const OfficeChoice again = makeNewOffice(folder, office, configFile);
    EXPECT_FALSE(again.ok);
    EXPECT_TRUE(again.problem.contains(QStringLiteral("이미 사무실 자료가 있습니다")));
    const OfficeChoice opened = useExistingOffice(folder, dir.filePath(QStringLiteral("other.ini")));
    EXPECT_TRUE(opened.ok) << opened.problem.toStdString();
}

TEST(OfficeSetupTest, BadDetailsAndFoldersWithoutAnOfficeAreRefusedInKorean) {
    QTemporaryDir dir;
    const QString configFile = dir.filePath(QStringLiteral("teran.ini"));
    EXPECT_EQ(newOfficeProblem({QStringLiteral("a b"), QStringLiteral("pw1234"), QStringLiteral("김"),
                                QStringLiteral("사무소")}),
              QStringLiteral("아이디는 영문, 숫자, _ 로 3자에서 20자까지 입력하세요."));
    EXPECT_EQ(newOfficeProblem({QStringLiteral("office1"), QStringLiteral("pw"), QStringLiteral("김"),
                                QStringLiteral("사무소")}),
              QStringLiteral("비밀번호는 4자 이상 입력하세요."));
    EXPECT_EQ(newOfficeProblem({QStringLiteral("office1"), QStringLiteral("pw1234"), QStringLiteral("김"),
                                QStringLiteral(" ")}),
              QStringLiteral("사무소 이름을 입력하세요."));
    const OfficeChoice refused = makeNewOffice(
        dir.filePath(QStringLiteral("x")),
        {QStringLiteral("o'1; --"), QStringLiteral("pw1234"), QStringLiteral("김"), QStringLiteral("사무소")},
        configFile);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(QFile::exists(configFile)) << "nothing is written for a refused choice";

    const OfficeChoice empty = useExistingOffice(dir.path(), configFile);
    EXPECT_FALSE(empty.ok);
    EXPECT_TRUE(
        empty.problem.startsWith(QStringLiteral("선택한 폴더에 사무실 자료(rd/terandb.db)가 없습니다.")));
    EXPECT_FALSE(QFile::exists(configFile));
    // A cancelled folder dialog is no error to tell about.
    EXPECT_TRUE(useExistingOffice(QString(), configFile).problem.isEmpty());
}

// An office that joins the vendor's server with an account per member has no account to prepare
// that server with: its data folder is made, and the server (here no server at all) is left alone.
TEST(OfficeSetupTest, AnOfficeOfTheVendorsServerMakesOnlyItsFolder) {
    QTemporaryDir dir;
    TeranConfig config = TeranConfig::demoDefaults(dir.filePath(QStringLiteral("office")));
    config.serverUrl = QStringLiteral("mysql://127.0.0.1:1/teran");
    ASSERT_TRUE(config.serverTakesMembers());
    OfficePreparation made;
    ASSERT_NO_THROW(made = prepareOffice(config, {}, false));
    EXPECT_TRUE(made.serverIsTheVendors);
    EXPECT_TRUE(DataFolder(config.dataPath).hasListingStore());

    config.serverUser = QStringLiteral("shared"); // an older server's shared account
    EXPECT_FALSE(config.serverTakesMembers());
    EXPECT_THROW(prepareOffice(config, {}, false), StoreError) << "that server is the office's to prepare";
}

// The address typed as one text goes into the row's four parts and reads back as typed; an
// address of fewer words leaves the later parts empty.
TEST(OfficeSetupTest, AnAddressIsKeptInItsFourParts) {
    EXPECT_EQ(addressColumns(QStringLiteral("  서울특별시 강남구  역삼동 123-4  2층 ")),
              QStringList({QStringLiteral("서울특별시"), QStringLiteral("강남구"), QStringLiteral("역삼동"),
                           QStringLiteral("123-4 2층")}));
    EXPECT_EQ(
        addressColumns(QStringLiteral("세종특별자치시 한누리대로")),
        QStringList({QStringLiteral("세종특별자치시"), QStringLiteral("한누리대로"), QString(), QString()}));
    EXPECT_EQ(addressColumns(QString()), QStringList({QString(), QString(), QString(), QString()}));
}
