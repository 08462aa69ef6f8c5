#include "maintenance/BackupActions.h"
#include "TestOffice.h"
#include "maintenance/OfficeBackup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

class BackupActionsTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Demo);
        ASSERT_NE(office, nullptr);
    }
    int listings() { return office->local().scalar("SELECT COUNT(*) FROM maemul").toInt(); }
    BackupActions actions() { return BackupActions(office->session()); }

    std::unique_ptr<TestOffice> office;
    QTemporaryDir work;
};

} // namespace

// The tools menu's backup and restore as the office meets them: the questions, the refusals and
// the office database open again after a restore, as the backup had it.
TEST_F(BackupActionsTest, TheOfficeBacksUpAndRestoresFromTheMenu) {
    office->dialogs.fileNext(QString());
    EXPECT_FALSE(actions().fullBackup());
    EXPECT_EQ(office->dialogs.lastText(), "경로를 지정하지 않으셨습니다.");

    const QString folder = work.filePath(BackupActions::proposedName(QDate(2026, 12, 6)));
    office->dialogs.fileNext(folder);
    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(actions().fullBackup());
    EXPECT_EQ(office->dialogs.shown().last().text,
              folder + "로 백업을 시작합니다.\r\n\r\n실행 하시겠습니까?");
    EXPECT_FALSE(QDir(folder).exists());

    const int before = listings();
    ASSERT_GT(before, 0);
    office->dialogs.fileNext(folder);
    office->answerYes();
    ASSERT_TRUE(actions().fullBackup()) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.shown().last().title, "백업완료");
    EXPECT_EQ(office->dialogs.lastText(), folder + " 로 백업을 완료하였습니다.");

    office->local().execute("DELETE FROM maemul");
    ASSERT_EQ(listings(), 0);

    // A damaged backup changes nothing.
    const QString torn = work.filePath("torn");
    QDir().mkpath(torn);
    QFile::copy(QDir(folder).filePath(OfficeBackup::manifestFile()),
                QDir(torn).filePath(OfficeBackup::manifestFile()));
    office->dialogs.fileNext(torn);
    EXPECT_FALSE(actions().restore());
    EXPECT_TRUE(office->dialogs.lastText().endsWith("아무것도 바꾸지 않았습니다."));
    EXPECT_EQ(listings(), 0);

    office->dialogs.fileNext(folder);
    office->dialogs.answerNext(DialogAnswer::Yes);
    ASSERT_TRUE(actions().restore()) << office->dialogs.lastText().toStdString();
    EXPECT_TRUE(office->session().listingOpen());
    EXPECT_EQ(listings(), before);
    EXPECT_EQ(QDir(office->session().dataFolder().path("backup"))
                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                  .size(),
              1)
        << "the office as it was is kept";
}
