#include "ui/maintenance/frmSheetImport.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/maintenance/BackupActions.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace teran;
using namespace teran::test;

namespace {

class frmSheetImportTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Demo);
        ASSERT_NE(office, nullptr);
    }
    int listings() { return office->local().scalar("SELECT COUNT(*) FROM maemul").toInt(); }
    QString write(const QString& name, const QString& text) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }
    std::unique_ptr<frmSheetImport> open(const QString& path) {
        const auto preview = BackupActions(office->session()).previewSheet(path);
        EXPECT_TRUE(preview.has_value()) << office->dialogs.lastText().toStdString();
        return preview ? std::make_unique<frmSheetImport>(office->session(), path, *preview) : nullptr;
    }

    std::unique_ptr<TestOffice> office;
    QTemporaryDir dir;
};

const QString kHeader = QStringLiteral("종목,거래,시도,군구,읍면동,매매가,평수,합산금\r\n");

} // namespace

// The choices of each column are the captions the office knows, proposed from the header; a
// refusal names the field as the window shows it, and the window stays open to change the choice.
TEST_F(frmSheetImportTest, TheColumnsAreChosenByCaptionARefusalNamesTheCaptionAndAGoodFileIsRegistered) {
    const QString path = write("prices.csv", kHeader + "아파트,매매,서울,강남구,역삼동,30000,34 / 25,\r\n"
                                                       "아파트,매매,서울,강남구,역삼동,일억이천만원,30,\r\n");
    const auto window = open(path);
    ASSERT_NE(window, nullptr);
    static const QRegularExpression columnName(QStringLiteral("^[a-z][a-z0-9_]*$"));
    QStringList chosen;
    for (int c = 0; c < 8; ++c) {
        auto* box = control<QComboBox>(*window, QStringLiteral("cboColumn_%1").arg(c));
        ASSERT_NE(box, nullptr);
        const QStringList offered = itemsOf(box);
        EXPECT_TRUE(offered.filter(columnName).isEmpty())
            << offered.filter(columnName).join(' ').toStdString();
        chosen << box->currentText();
    }
    EXPECT_EQ(chosen,
              (QStringList{"종목", "거래", "시도", "군구", "읍면동", "매매가", "평수", "(가져오지 않음)"}));
    EXPECT_EQ(window->mapping().at(6), "평수");

    const int before = listings();
    office->answerYes();
    EXPECT_FALSE(window->cmdImport_Click());
    EXPECT_TRUE(office->dialogs.lastText().startsWith("3 번째 Line"))
        << office->dialogs.lastText().toStdString();
    EXPECT_TRUE(office->dialogs.lastText().contains("(매매가: 숫자가 아닙니다: 일억이천만원)"))
        << office->dialogs.lastText().toStdString();
    EXPECT_EQ(listings(), before);
    EXPECT_NE(window->result(), QDialog::Accepted);

    // A good file is registered as the columns are chosen, and the window closes.
    const QString good = write("good.csv", kHeader + "아파트,매매,서울,강남구,역삼동,\"30,000\",34 / 25,\r\n"
                                                     "빌라/다세대,전세,서울,마포구,서교동,21000,20,\r\n");
    const auto goodWindow = open(good);
    ASSERT_NE(goodWindow, nullptr);
    // the file's 거래 column is left out: the amounts decide
    control<QComboBox>(*goodWindow, "cboColumn_1")->setCurrentIndex(0);
    office->answerYes();
    EXPECT_TRUE(goodWindow->cmdImport_Click()) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.lastText(), "Text 매물 2건 등록을 완료하였습니다.");
    EXPECT_EQ(goodWindow->result(), QDialog::Accepted);
    EXPECT_EQ(listings(), before + 2);
    EXPECT_EQ(
        office->localValue("SELECT COUNT(*) FROM maemul WHERE tb = 'villa' AND ty = 'M' AND money_m = 21000")
            .toInt(),
        1);
}
