#include "PostalRows.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/maintenance/SettingsActions.h"
#include "ui/maintenance/frmSeting.h"
#include "ui/maintenance/frmSetingColor.h"
#include "ui/maintenance/frmSetingFont.h"
#include "ui/widgets/ColorNumber.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

class SettingsWindowsTest : public testing::Test {
protected:
    void SetUp() override {
        // An office on SQLite needs no server: when it cannot be made, the login is broken.
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        ASSERT_NE(office, nullptr);
    }
    std::unique_ptr<TestOffice> office;
};

} // namespace

// 환경설정: a key's button picks the region from the postal table into that key's boxes only,
// the boxes are saved and read back by a new window, and the reset fills every box.
TEST_F(SettingsWindowsTest, TheRegionWindowPicksSavesAndResets) {
    addSamplePosts(office->local());
    frmSeting window(office->session());
    ASSERT_NE(control<QPushButton>(window, "joouso"), nullptr);
    ASSERT_NE(control<QLineEdit>(window, "joouso3"), nullptr);

    QObject::connect(&window, &frmSeting::pickerOpened, [](QDialog* picker) {
        auto* addr1 = picker->findChild<QComboBox*>("addr1");
        addr1->setCurrentText("부산");
        auto* addr2 = picker->findChild<QComboBox*>("addr2");
        ASSERT_EQ(itemsOf(addr2), (QStringList{"시/군/구", "해운대구"}));
        addr2->setCurrentIndex(1);
        picker->findChild<QComboBox*>("addr3")->setCurrentText("우동");
        picker->accept();
    });
    control<QPushButton>(window, "villa")->click();
    EXPECT_EQ(control<QLineEdit>(window, "villa1")->text(), "부산");
    EXPECT_EQ(control<QLineEdit>(window, "villa2")->text(), "해운대구");
    EXPECT_EQ(control<QLineEdit>(window, "villa3")->text(), "우동");
    EXPECT_EQ(control<QLineEdit>(window, "apt1")->text(), "");

    control<QLineEdit>(window, "apt1")->setText(" 서울 ");
    control<QPushButton>(window, "cmdSave")->click();
    EXPECT_EQ(office->dialogs.lastText(), "정보를 변경 하였습니다.");
    frmSeting again(office->session());
    EXPECT_EQ(control<QLineEdit>(again, "villa2")->text(), "해운대구");
    EXPECT_EQ(control<QLineEdit>(again, "apt1")->text(), "서울");

    office->answerYes();
    control<QPushButton>(again, "cmdReset")->click();
    EXPECT_EQ(office->dialogs.shown().last().title, "초기화완료");
    for (const QString& key : SettingsStore::regionKeys()) {
        EXPECT_EQ(control<QLineEdit>(again, key + "1")->text(), "서울") << key.toStdString();
        EXPECT_EQ(control<QLineEdit>(again, key + "2")->text(), "강남구") << key.toStdString();
        EXPECT_EQ(control<QLineEdit>(again, key + "3")->text(), "") << key.toStdString();
    }
}

// 목록 색상설정: the user's rule shown on opening, a swatch and bold redrawing the sample and
// the seven preview rows, a letter refused in the days and the rule saved as shown; the days box
// shows a number of three digits whole, as the window opens.
TEST_F(SettingsWindowsTest, TheColourWindowShowsAndSavesTheUsersRule) {
    const ColorRule stored{AgeDate::Registered, SettingsActions::swatches().at(2), 30, true};
    SettingsStore::ofUser(office->session()).setColorRule(stored);
    frmSetingColor window(office->session());
    QFont large = window.font(); // a large font leaves the style's least width behind
    large.setPointSize(28);
    window.setFont(large);
    window.show();
    QLineEdit* days = control<QComboBox>(window, "cboDate")->lineEdit();
    const QString shown = days->text();
    days->setText("365");
    const int textWidth = days->fontMetrics().horizontalAdvance(days->text());
    const QMargins margins = days->textMargins();
    EXPECT_GE(days->contentsRect().width() - margins.left() - margins.right(), textWidth + 2)
        << "a box of " << days->width() << " pixels for a text of " << textWidth;
    days->setText(shown);
    EXPECT_TRUE(control<QRadioButton>(window, "optDate_1")->isChecked());
    EXPECT_EQ(control<QComboBox>(window, "cboDate")->currentText(), "30");
    EXPECT_TRUE(control<QCheckBox>(window, "chkBold")->isChecked());
    EXPECT_EQ(window.rule(), stored);

    control<QPushButton>(window, "lblColor_6")->click();
    control<QCheckBox>(window, "chkBold")->click();
    auto* preview = control<QTreeWidget>(window, "lvSeting");
    ASSERT_EQ(preview->topLevelItemCount(), 7);
    EXPECT_EQ(preview->topLevelItem(6)->text(1), "글씨색깔선택");
    EXPECT_EQ(preview->topLevelItem(0)->foreground(1).color(),
              colorOfNumber(SettingsActions::swatches().at(6)));
    EXPECT_FALSE(preview->topLevelItem(0)->font(1).bold());
    EXPECT_EQ(control<QLabel>(window, "lblccc")->palette().color(QPalette::WindowText),
              colorOfNumber(SettingsActions::swatches().at(6)));

    days->clear();
    QTest::keyClicks(days, "1x5");
    EXPECT_EQ(days->text(), "15");
    EXPECT_EQ(office->dialogs.lastText(), "숫자를 입력하십시요!");
    control<QRadioButton>(window, "optDate_0")->click();
    ASSERT_TRUE(window.cmdSave_Click());
    const ColorRule saved = SettingsStore::ofUser(office->session()).colorRule();
    EXPECT_EQ(saved, (ColorRule{AgeDate::Changed, SettingsActions::swatches().at(6), 15, false}));
}

// 글꼴설정: the stored size chosen on opening (also one the list does not offer), the preview in
// the chosen size, and the save that closes the window.
TEST_F(SettingsWindowsTest, TheFontWindowPreviewsAndSavesTheSize) {
    SettingsStore::ofOffice(office->session()).setFontSize(15);
    frmSetingFont window(office->session());
    EXPECT_EQ(window.chosenSize(), 15);
    window.choose(12);
    auto* preview = control<QTreeWidget>(window, "lvSeting");
    ASSERT_EQ(preview->topLevelItemCount(), 4);
    EXPECT_EQ(preview->topLevelItem(3)->text(0), "글씨크기선택");
    EXPECT_EQ(preview->topLevelItem(0)->font(0).pointSize(), 12);
    window.show();
    control<QPushButton>(window, "cmdSave")->click();
    EXPECT_EQ(office->dialogs.lastText(), "폰트크기가 [12] 로 변경되었습니다.");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(SettingsStore::ofOffice(office->session()).fontSize(), 12);
}
