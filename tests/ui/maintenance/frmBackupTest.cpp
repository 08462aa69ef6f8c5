#include "ui/maintenance/frmBackup.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/maintenance/ListingTextTransfer.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

qint64 linesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().count("\r\n") : -1;
}

} // namespace

// The text backup window: what it refuses, the whole period without its date column, the export
// of the checked types into the chosen file, and a staff login's own listings only.
TEST(frmBackupTest, ExportsTheCheckedTypesIntoTheChosenFile) {
    auto office = TestOffice::make(Backend::Sqlite, Desk::Demo);
    ASSERT_NE(office, nullptr);
    QTemporaryDir dir;
    const QString path = dir.filePath("listings.txt");
    const int all = office->local().scalar("SELECT COUNT(*) FROM maemul WHERE code = 0").toInt();
    ASSERT_GT(all, 0);

    frmBackup window(office->session());
    EXPECT_FALSE(window.cmdBackUp_Click());
    EXPECT_EQ(office->dialogs.lastText(), "백업할 종목을 선택하지 않으셨습니다.");
    EXPECT_EQ(office->dialogs.shown().last().title, "백업하기");
    EXPECT_FALSE(control<QRadioButton>(&window, "day_1")->isEnabled()) << "the whole period";
    control<QRadioButton>(&window, "optType_2")->click();
    EXPECT_TRUE(control<QRadioButton>(&window, "day_1")->isEnabled());
    control<QRadioButton>(&window, "optType_0")->click();

    control<QPushButton>(&window, "cmdChk")->click();
    EXPECT_EQ(window.choice().types.size(), 19);
    EXPECT_FALSE(window.cmdBackUp_Click());
    EXPECT_EQ(office->dialogs.lastText(), "백업할 경로를 지정하지 않으셨습니다.");

    office->dialogs.fileNext(path);
    control<QPushButton>(&window, "cmdPath")->click();
    EXPECT_EQ(window.savePath(), path);
    office->answerYes();
    ASSERT_TRUE(window.cmdBackUp_Click()) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.shown().last().title, "백업완료");
    EXPECT_EQ(
        office->dialogs.lastText(),
        QStringLiteral("%1  \r\n\r\n위 경로로 백업 %2건을 성공적으로 완료하였습니다.").arg(path).arg(all));
    EXPECT_EQ(linesOf(path), all);

    // A staff login's own listings only.
    const int own =
        office->local().scalar("SELECT COUNT(*) FROM maemul WHERE code = 0 AND subid = 'staff1'").toInt();
    ASSERT_GT(own, 0);
    ASSERT_LT(own, all);
    office->session().state().LoginId = "staff1";
    frmBackup staff(office->session());
    control<QPushButton>(&staff, "cmdChk")->click();
    office->dialogs.fileNext(path);
    control<QPushButton>(&staff, "cmdPath")->click();
    office->answerYes();
    ASSERT_TRUE(staff.cmdBackUp_Click());
    EXPECT_EQ(linesOf(path), own);
}
