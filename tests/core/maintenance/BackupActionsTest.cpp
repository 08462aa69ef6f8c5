#include "core/maintenance/BackupActions.h"
#include "TestOffice.h"
#include "core/maintenance/OfficeBackup.h"

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

// What a progress window is told: the steps in the user's words, then the end once, before the
// closing message; a false answer cancels.
struct ToldProgress {
    explicit ToldProgress(ScriptedDialogs& script, int cancelled = -1)
        : dialogs(script)
        , cancelAt(cancelled) {}

    ScriptedDialogs& dialogs;
    int cancelAt; // the step answered false; -1 none
    QStringList steps;
    int ends = 0;
    int boxesAtEnd = -1;

    BackupProgress callback() {
        return [this](const QString& step, qint64, qint64) {
            if (step.isEmpty()) {
                ++ends;
                boxesAtEnd = int(dialogs.shown().size());
                return true;
            }
            steps << step;
            return int(steps.size()) - 1 != cancelAt;
        };
    }
};

// The tools menu's backup and restore as the office meets them: the questions, the refusals, the
// steps told and a cancel that leaves the office as it was, and the office database open again
// after a restore, as the backup had it.
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
    EXPECT_EQ(office->dialogs.shown().last().title, "데이터 백업") << "the question has its title";
    EXPECT_FALSE(QDir(folder).exists());

    const QStringList words{BackupActions::stepText("사무실 자료"), BackupActions::stepText("rd"),
                            BackupActions::stepText("files")};
    EXPECT_EQ(words, (QStringList{"사무실 자료를 복사하는중입니다.", "설정 파일을 복사하는중입니다.",
                                  "사진 파일을 복사하는중입니다."}));
    const int before = listings();
    ASSERT_GT(before, 0);
    ToldProgress made(office->dialogs);
    office->dialogs.fileNext(folder);
    office->answerYes();
    ASSERT_TRUE(actions().fullBackup(made.callback())) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.shown().last().title, "백업완료");
    EXPECT_EQ(office->dialogs.lastText(), folder + " 로 백업을 완료하였습니다.");
    ASSERT_FALSE(made.steps.isEmpty());
    EXPECT_EQ(made.steps.first(), words.first());
    for (const QString& step : made.steps)
        EXPECT_TRUE(words.contains(step)) << step.toStdString();
    EXPECT_EQ(made.ends, 1);
    EXPECT_EQ(made.boxesAtEnd, office->dialogs.shown().size() - 1) << "the end comes before the closing box";

    const QString cancelledFolder = work.filePath("cancelled");
    ToldProgress cancelled(office->dialogs, 0);
    office->dialogs.fileNext(cancelledFolder);
    office->answerYes();
    EXPECT_FALSE(actions().fullBackup(cancelled.callback()));
    EXPECT_EQ(office->dialogs.lastText(), "취소되었습니다.");
    EXPECT_EQ(cancelled.ends, 1);
    EXPECT_FALSE(QDir(cancelledFolder).exists()) << "no half backup is left";

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

    // A restore cancelled while the office as it is gets copied replaces nothing.
    ToldProgress restoring(office->dialogs, 0);
    office->dialogs.fileNext(folder);
    office->answerYes();
    EXPECT_FALSE(actions().restore(restoring.callback()));
    EXPECT_EQ(office->dialogs.lastText(), "취소되었습니다.");
    EXPECT_EQ(restoring.ends, 1);
    EXPECT_TRUE(office->session().listingOpen());
    EXPECT_EQ(listings(), 0);

    ToldProgress restored(office->dialogs);
    office->dialogs.fileNext(folder);
    office->dialogs.answerNext(DialogAnswer::Yes);
    ASSERT_TRUE(actions().restore(restored.callback())) << office->dialogs.lastText().toStdString();
    EXPECT_TRUE(office->session().listingOpen());
    EXPECT_EQ(listings(), before);
    EXPECT_EQ(restored.ends, 1);
    EXPECT_EQ(restored.boxesAtEnd, office->dialogs.shown().size() - 1);
    EXPECT_EQ(QDir(office->session().dataFolder().path("backup"))
                  .entryList(QDir::Dirs | QDir::NoDotAndDotDot)
                  .size(),
              1)
        << "the office as it was is kept";
}

// 텍스트 가져오기 from the menu: a file with a stray line break at its end is refused with the line
// named and nothing registered; the good file registers every line.
TEST_F(BackupActionsTest, TheTextImportRefusesAFaultyFileWholeAndRegistersAGoodOne) {
    listingText::ExportChoice choice;
    choice.types = {"apt"};
    const QString good = work.filePath("apt.txt");
    office->answerYes();
    ASSERT_TRUE(actions().exportText(choice, good));
    const int before = listings();
    const qint64 lines = listingText::countListings(office->local(), choice);
    ASSERT_GT(lines, 0);

    const QString stray = work.filePath("stray.txt");
    QFile::copy(good, stray);
    {
        QFile file(stray);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("\r\n");
    }
    office->dialogs.fileNext(stray);
    office->answerYes();
    EXPECT_FALSE(actions().importText());
    EXPECT_EQ(office->dialogs.shown().last().title, "Text 데이터 형식 오류");
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("%1 번째 Line Text 데이타가 형식에 맞지않아 입력이 거부 되었습니다.\r\n\r\n다시 "
                             "확인하신후 실행하여 주십시요.")
                  .arg(lines + 1));
    EXPECT_EQ(listings(), before);

    office->dialogs.fileNext(good);
    office->answerYes();
    ASSERT_TRUE(actions().importText()) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("Text 매물 %1건 등록을 완료하였습니다.").arg(lines));
    EXPECT_EQ(listings(), before + lines);
}

// Another desk restores the office while this one has it open: this desk's next write is refused
// (never lost into the replaced file), the status bar's look finds the file replaced, opens the
// restored office and says so; what this desk saves then is kept.
TEST_F(BackupActionsTest, ADeskOpensTheOfficeAgainAfterAnotherDeskRestoredIt) {
    const QString folder = work.filePath("b");
    OfficeBackup(office->session().listingUrl(), office->session().dataFolder(), office->officeId())
        .backupTo(folder);
    const int before = listings();
    office->local().execute("DELETE FROM maemul");
    EXPECT_FALSE(office->local().fileReplaced());
    EXPECT_FALSE(office->session().reopenReplacedOffice()) << "nothing replaced yet";

    restoreOffice(folder, office->session().dataFolder(), office->officeId(), work.filePath("safety"));
    EXPECT_TRUE(office->local().fileReplaced());
    try {
        office->local().execute("UPDATE maemul SET note = 'lost'");
        FAIL() << "a write into the replaced file was taken";
    } catch (const StoreError& error) {
        EXPECT_EQ(error.description(), SqlStore::replacedFileText());
    }
    ASSERT_TRUE(office->session().reopenReplacedOffice());
    EXPECT_EQ(office->dialogs.shown().last().title, "데이터 복구");
    EXPECT_EQ(listings(), before);
    EXPECT_EQ(office->localValue("SELECT COUNT(*) FROM maemul WHERE note = 'lost'").toInt(), 0);
    EXPECT_EQ(
        office->local().execute("UPDATE maemul SET note = 'after' WHERE table_idx = (SELECT MIN(table_idx) "
                                "FROM maemul)"),
        1);
    EXPECT_FALSE(office->session().reopenReplacedOffice());
}
