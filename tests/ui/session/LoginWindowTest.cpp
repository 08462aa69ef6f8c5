#include "TestOffice.h"
#include "core/session/LoginService.h"
#include "ui/session/frmLogin.h"
#include "ui/shell/ProgramFlow.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

class LoginWindowTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite);
        TERAN_REQUIRE_SERVICE(office != nullptr, "The loopback HTTP server");
        session = office->newSession();
        options.loginIniPath = office->loginIniPath();
        options.lockPath = office->dir.filePath(QStringLiteral("teran.lock"));
    }

    template <typename T> T* control(const char* name) {
        T* found = flow->loginWindow()->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    bool startFlow() {
        flow = std::make_unique<ProgramFlow>(*session, options);
        return flow->start();
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<Session> session;
    StartOptions options;
    std::unique_ptr<ProgramFlow> flow;
};

} // namespace

TEST_F(LoginWindowTest, TypingTheLoginAndPressingEnterOpensTheFrameWindow) {
    ASSERT_TRUE(startFlow());
    QSignalSpy shown(flow.get(), &ProgramFlow::mainWindowShown);
    QTest::keyClicks(control<QLineEdit>("txtID"), QStringLiteral("st1"));
    QTest::keyClicks(control<QLineEdit>("txtPWD"), QStringLiteral("wrong"));
    QTest::keyClick(control<QLineEdit>("txtPWD"), Qt::Key_Return);
    EXPECT_EQ(control<QLabel>("lbllogin")->text(), QStringLiteral("등록된 회원이 아닙니다."));
    EXPECT_EQ(shown.size(), 0);

    control<QLineEdit>("txtPWD")->clear();
    control<QCheckBox>("chkLogin_0")->setChecked(true);
    QTest::keyClicks(control<QLineEdit>("txtPWD"), QStringLiteral("pw2"));
    QTest::keyClick(control<QLineEdit>("txtPWD"), Qt::Key_Return);

    ASSERT_EQ(shown.size(), 1);
    ASSERT_NE(flow->mainWindow(), nullptr);
    EXPECT_EQ(flow->mainWindow()->windowTitle(), QStringLiteral("부동산전문 관리프로그램[TERAN] - 실행중"));
    EXPECT_TRUE(flow->mainWindow()->isVisible());
    EXPECT_EQ(session->state().LoginId, QStringLiteral("st1"));
    EXPECT_EQ(session->state().OnlineMode, QStringLiteral("yes"));
    EXPECT_EQ(LoginIni(office->loginIniPath()).read().id, QStringLiteral("st1"));
    EXPECT_TRUE(office->dialogs.shown().isEmpty());

    // A second program of the same user ends at once.
    ProgramFlow second(*session, options);
    EXPECT_FALSE(second.start());
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("프로그램이 이미 실행중 입니다."));
    EXPECT_EQ(office->endedWith, 1);
}

TEST_F(LoginWindowTest, ASavedIdIsFilledAndTheFocusWaitsInThePasswordBox) {
    ASSERT_TRUE(LoginIni(office->loginIniPath()).write({QStringLiteral("st2"), QString()}));
    ASSERT_TRUE(startFlow());
    QApplication::setActiveWindow(flow->loginWindow());
    EXPECT_EQ(control<QLineEdit>("txtID")->text(), QStringLiteral("st2"));
    EXPECT_TRUE(control<QCheckBox>("chkLogin_0")->isChecked());
    EXPECT_FALSE(control<QCheckBox>("chkLogin_1")->isChecked());
    EXPECT_TRUE(control<QLineEdit>("txtPWD")->text().isEmpty());
    EXPECT_EQ(flow->loginWindow()->focusWidget(), control<QLineEdit>("txtPWD"));
    EXPECT_TRUE(flow->loginWindow()->windowFlags() & Qt::WindowStaysOnTopHint);

    // The login button does what Enter does.
    control<QLineEdit>("txtPWD")->setText(QStringLiteral("pw3"));
    QSignalSpy shown(flow.get(), &ProgramFlow::mainWindowShown);
    QTest::mouseClick(control<QPushButton>("Image1"), Qt::LeftButton);
    EXPECT_EQ(shown.size(), 1);
}

TEST(LoginWindowStartup, AMissingDataFolderAsksToLookForTheServerAndEnds) {
    auto office = TestOffice::make(Backend::Sqlite);
    TERAN_REQUIRE_SERVICE(office != nullptr, "The loopback HTTP server");
    office->config.dataPath = office->dir.filePath(QStringLiteral("not-mapped/"));
    for (DialogAnswer answer : {DialogAnswer::Yes, DialogAnswer::No}) {
        auto session = office->newSession();
        LoginIni ini(office->loginIniPath());
        frmLogin login(*session, ini);
        office->outlets.urls.clear();
        office->dialogs.answerNext(answer);
        office->endedWith = -1;
        EXPECT_FALSE(login.start());
        const auto& box = office->dialogs.shown().last();
        EXPECT_TRUE(box.text.startsWith(QStringLiteral("서버컴퓨터를 지정하지 않으셨습니다.\r\n\r\n")));
        EXPECT_TRUE(box.text.endsWith(QStringLiteral("서버로 설치된 컴퓨터를 지금 찾으시겠습니까 ?")));
        EXPECT_EQ(box.buttons, DialogButtons::YesNo);
        ASSERT_EQ(office->outlets.urls.size(), answer == DialogAnswer::Yes ? 1 : 0);
        if (answer == DialogAnswer::Yes) {
            EXPECT_EQ(office->outlets.urls.first().toLocalFile(),
                      office->dir.filePath(QStringLiteral("not-mapped")))
                << "the configured data folder, to be found and mapped";
        }
        EXPECT_EQ(office->endedWith, 1);
        EXPECT_FALSE(QFile::exists(session->dataFolder().listingStoreFile()));
    }
}

// The office-server program connects the data folder: the login waits until it has ended.
TEST(LoginWindowStartup, TheOfficeServerProgramRunsToItsEndBeforeTheDataFolderIsChecked) {
    auto office = TestOffice::make(Backend::Sqlite);
    TERAN_REQUIRE_SERVICE(office != nullptr, "The loopback HTTP server");
    const QString marker = office->dir.filePath(QStringLiteral("attached"));
    office->config.officeServerCommand =
        QStringLiteral("/bin/sh -c \"sleep 0.3; echo mapped > '%1'\"").arg(marker);
    auto session = office->newSession();
    LoginIni ini(office->loginIniPath());
    frmLogin login(*session, ini);
    EXPECT_TRUE(login.start());
    EXPECT_TRUE(QFile::exists(marker));

    // A command that is not there is passed over.
    office->config.officeServerCommand = office->dir.filePath(QStringLiteral("no-such-program"));
    auto again = office->newSession();
    frmLogin second(*again, ini);
    EXPECT_TRUE(second.start());
}
