#include "ui/register/frmInsert.h"
#include "ui/people/frmMaesuin.h"
#include "ui/people/frmMatch.h"
#include "ui/people/frmSms.h"
#include "ui/people/frmWork.h"
#include "ui/register/frmImgBox.h"

#include "PdfText.h"
#include "TestOffice.h"
#include "core/listings/ListingSheet.h"
#include "core/register/LotListings.h"
#include "ui/register/ListingForm.h"
#include "ui/register/LotPanel.h"

#include "GridDriver.h"
#include "WidgetControls.h"
#include "ui/listings/frmList.h"
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

namespace {

// The registration window of an office logged in online, on the real stores and FTP server.
class frmInsertTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }

    std::unique_ptr<frmInsert> open(RegistrationRequest request = {}) {
        auto window = std::make_unique<frmInsert>(office->session(), request);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->show();
        return window;
    }

    void chooseType(frmInsert& window, const QString& tb) {
        auto* type = control<QComboBox>(window, "cboTb");
        type->setCurrentIndex(type->findData(tb));
    }

    // Types into a box as the user does, key by key, so that the key checks and computations run.
    void type(frmInsert& window, const char* name, const QString& text) {
        QWidget* box = window.findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(box, nullptr) << name;
        if (auto* combo = qobject_cast<QComboBox*>(box)) {
            if (combo->isEditable()) {
                combo->setEditText(text);
            } else {
                combo->setCurrentText(text);
            }
            return;
        }
        auto* line = qobject_cast<QLineEdit*>(box);
        line->setFocus();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Backspace);
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(line, text);
        else
            line->setText(text); // Hangul comes from the input method, not as keys
    }

    // An apartment with the facts an internet advertisement needs.
    void fillApartment(frmInsert& window) {
        chooseType(window, "apt");
        type(window, "addr1", "서울");
        type(window, "addr2", "강남구");
        type(window, "addr3", "역삼동");
        type(window, "addr4", "123-4");
        type(window, "addr5", "1203호");
        type(window, "cboName", "래미안");
        type(window, "pyung", "34");
        type(window, "pyung_use", "25");
        type(window, "money_m", "85000");
        type(window, "money_g", "25");
        type(window, "floor", "12");
        type(window, "floor_max", "25");
        type(window, "makedate", "2015");
        type(window, "direction", "남향");
        type(window, "room", "3");
        type(window, "bathroom", "2");
        type(window, "parking", "1");
        type(window, "ipjuday", "즉시");
        type(window, "uname", "홍길동");
    }

    // 저장, with the answer to the question the save asks (계속등록하시겠습까? No closes).
    void save(frmInsert& window, std::optional<DialogAnswer> answer = DialogAnswer::No) {
        if (answer)
            office->dialogs.answerNext(*answer);
        control<QPushButton>(window, "cmdSave")->click();
    }

    void share(frmInsert& window, int grade = 0) {
        control<QCheckBox>(window, "chkInternet")->click();
        control<QRadioButton>(window, QStringLiteral("optChu%1").arg(grade).toLatin1().constData())->click();
    }

    // A small picture in the format its name says.
    QString picture(const QString& name) {
        const QString path = QDir(picked.path()).filePath(name);
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(Qt::blue);
        EXPECT_TRUE(image.save(path)) << name.toStdString();
        return path;
    }

    QVariant local(int number, const char* column) {
        return office->local().scalar(
            QStringLiteral("SELECT `%1` FROM maemul WHERE table_idx = ?").arg(column), {number});
    }

    bool shownText(const QString& part) const {
        for (const ScriptedDialogs::Shown& shown : office->dialogs.shown())
            if (shown.text.contains(part))
                return true;
        return false;
    }

    std::unique_ptr<TestOffice> office;
    QTemporaryDir picked;
};

TERAN_CASE_NEEDS(frmInsertTest, TheSaveAsksBeforeADuplicateAndACopyIsANewListing, ftp);
TERAN_CASE_NEEDS(frmInsertTest, ANewListingIsSharedWithItsPicturesAndUntickingSharingWithdrawsIt, ftp);
TERAN_CASE_NEEDS(frmInsertTest, ASavedListingTextsTheBuyersWhoFitIt, sms);
TERAN_CASE_NEEDS(frmInsertTest, TheImageBoxIsFilledAndSavedWithTheListing, ftp);
TERAN_CASE_NEEDS(frmInsertTest, TheLotLookupTheSameLotListAndItsPrint, web);

// A new listing saved through the window: number 1 in an empty store, its pictures named after
// it, the copy on the server without the district that was not disclosed. Edited with sharing
// unticked, it leaves the server with its pictures; the edit message closes the window on OK.
TEST_P(frmInsertTest, ANewListingIsSharedWithItsPicturesAndUntickingSharingWithdrawsIt) {
    TERAN_REQUIRE_SERVICE(office->hasFtp(), "the loopback FTP server");
    auto window = open();
    EXPECT_EQ(control<QLineEdit>(*window, "tidx")->text(), QStringLiteral("1"));
    EXPECT_FALSE(control<QPushButton>(*window, "cmdDel")->isEnabled());
    EXPECT_FALSE(control<QPushButton>(*window, "cmdAdM")->isEnabled());
    fillApartment(*window);
    office->dialogs.fileNext(picture("front.jpg"));
    control<QPushButton>(*window, "cmdImgname1")->click();
    office->dialogs.fileNext(picture("room.jpg"));
    control<QPushButton>(*window, "cmdImgname2")->click();
    share(*window);
    control<QCheckBox>(*window, "chkaddr2")->click();
    save(*window);

    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("등록을 완료하였습니다. 계속등록하시겠습까?"));
    EXPECT_EQ(local(1, "cboname").toString(), QStringLiteral("래미안"));
    EXPECT_EQ(local(1, "money_m").toLongLong(), 85000);
    EXPECT_EQ(local(1, "state").toInt(), 1);
    ASSERT_EQ(office->serverState(1), 1);
    const QString published = pictureName(office->officeId(), 1, 1);
    EXPECT_EQ(local(1, "imgname1").toString(), published);
    ASSERT_TRUE(QFile::exists(office->remotePicture(published)));
    EXPECT_TRUE(QFile::exists(office->remotePicture(pictureName(office->officeId(), 1, 2))));
    EXPECT_EQ(office->serverColumn(1, "addr2").toString(), QString());
    EXPECT_EQ(local(1, "addr2").toString(), QStringLiteral("강남구"));
    EXPECT_FALSE(window->isVisible());
    office->server().execute("INSERT INTO filebox (ID, sub_idx, Img1) VALUES (?, 1, 'x.jpg')",
                             {office->officeId()});

    auto edit = open({EditMode::Edit, 1});
    EXPECT_TRUE(control<QCheckBox>(*edit, "chkInternet")->isChecked());
    EXPECT_TRUE(control<QRadioButton>(*edit, "optChu0")->isChecked());
    EXPECT_EQ(control<QComboBox>(*edit, "cboName")->currentText(), QStringLiteral("래미안"));
    EXPECT_EQ(control<QLineEdit>(*edit, "money_m")->text(), QStringLiteral("85,000"));
    control<QCheckBox>(*edit, "chkInternet")->click();
    save(*edit, DialogAnswer::Ok);
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("수정을 완료하였습니다. 폼을 닫으시겠습니까?"));
    EXPECT_EQ(office->serverState(1), std::nullopt);
    EXPECT_EQ(
        office->server().scalar("SELECT COUNT(*) FROM filebox WHERE ID = ?", {office->officeId()}).toInt(),
        0);
    EXPECT_FALSE(QFile::exists(office->remotePicture(published)));
    EXPECT_TRUE(QFile::exists(office->localPicture(published)));
    EXPECT_EQ(local(1, "state").toInt(), 0);
    EXPECT_FALSE(edit->isVisible());
}

// What the office shows of a shared listing comes back as it was saved: each scope box, 나머지
// included, alone unticked and all ticked, through a save and a reopen.
TEST_P(frmInsertTest, EveryScopeBoxComesBackAsItWasSaved) {
    const QList<const char*> boxes{"chkaddr2", "chkaddr3", "chkaddr4", "chkname", "ieImg0", "ieImg1"};
    for (int withheld = -1; withheld < int(boxes.size()); ++withheld) {
        SCOPED_TRACE(withheld < 0 ? "all shown" : boxes.at(withheld));
        auto window = open();
        const int number = control<QLineEdit>(*window, "tidx")->text().toInt();
        fillApartment(*window);
        type(*window, "addr4", QStringLiteral("200-%1").arg(number)); // a lot of its own
        share(*window);
        for (int b = 0; b < boxes.size(); ++b)
            control<QCheckBox>(*window, boxes.at(b))->setChecked(b != withheld);
        save(*window);
        ASSERT_EQ(office->dialogs.lastText(), QStringLiteral("등록을 완료하였습니다. 계속등록하시겠습까?"));

        auto edit = open({EditMode::Edit, number});
        EXPECT_TRUE(control<QCheckBox>(*edit, "chkInternet")->isChecked());
        EXPECT_TRUE(control<QCheckBox>(*edit, "chkaddr1")->isChecked()) << "the region is always shown";
        for (int b = 0; b < boxes.size(); ++b)
            EXPECT_EQ(control<QCheckBox>(*edit, boxes.at(b))->isChecked(), b != withheld) << boxes.at(b);
        EXPECT_FALSE(edit->hasUnsavedChanges());
        edit->close();
    }
}

// A new office has no listings to take progress states from: the box offers the usual ones, a
// state the office typed itself joins them, and the own list shows what was chosen.
// Typed changes are never dropped without a question: the window asks save / discard / stay, 취소
// goes back to what is stored, and a save that changes nothing says so.
TEST_P(frmInsertTest, ProgressStatesAndUnsavedChangesAreAskedAbout) {
    const QStringList usual{"진행중", "완료", "보류"};
    auto window = open();
    EXPECT_EQ(itemsOf(control<QComboBox>(*window, "ming")), usual);
    EXPECT_EQ(control<QComboBox>(*window, "ming")->currentText(), QString())
        << "nothing is chosen for the user";
    fillApartment(*window);
    type(*window, "ming", QStringLiteral("보류"));
    save(*window);
    ASSERT_EQ(office->dialogs.lastText(), QStringLiteral("등록을 완료하였습니다. 계속등록하시겠습까?"));
    EXPECT_EQ(local(1, "ming").toString(), QStringLiteral("보류"));
    ASSERT_EQ(local(1, "money_m").toLongLong(), 85000);

    auto edit = open({EditMode::Edit, 1});
    EXPECT_EQ(edit->windowTitle(), QStringLiteral("매물수정 - 1번"));
    EXPECT_FALSE(edit->hasUnsavedChanges()) << "a listing just opened holds nothing new";
    control<QPushButton>(*edit, "cmdSave")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("변경된 내용이 없어 저장하지 않았습니다."));
    EXPECT_TRUE(edit->isVisible());

    type(*edit, "money_m", "90000");
    EXPECT_TRUE(edit->hasUnsavedChanges());
    office->dialogs.answerNext(DialogAnswer::Cancel); // stay
    EXPECT_FALSE(edit->close());
    EXPECT_TRUE(edit->isVisible());
    EXPECT_TRUE(office->dialogs.lastText().startsWith(QStringLiteral("저장하지 않은 변경 내용이 있습니다.")));
    EXPECT_EQ(control<QLineEdit>(*edit, "money_m")->text(), QStringLiteral("90,000"));

    control<QPushButton>(*edit, "cmdCancel")->click();
    EXPECT_EQ(control<QLineEdit>(*edit, "money_m")->text(), QStringLiteral("85,000"))
        << "취소 on a stored listing goes back to what is stored, not to an empty form";
    EXPECT_FALSE(edit->hasUnsavedChanges());

    type(*edit, "money_m", "91000");
    office->dialogs.answerNext(DialogAnswer::No); // discard
    EXPECT_TRUE(edit->close());
    EXPECT_EQ(local(1, "money_m").toLongLong(), 85000);

    auto again = open({EditMode::Edit, 1});
    type(*again, "money_m", "92000");
    office->dialogs.answerNext(DialogAnswer::Yes); // save, then close
    EXPECT_TRUE(again->close());
    EXPECT_EQ(local(1, "money_m").toLongLong(), 92000);
    EXPECT_NE(office->dialogs.lastText(), QStringLiteral("수정을 완료하였습니다. 폼을 닫으시겠습니까?"))
        << "closing asks nothing more";

    office->addOwn({{"ming", "계약협의"}, {"id", office->officeId()}, {"subid", office->officeId()}});
    auto fresh = open();
    EXPECT_EQ(itemsOf(control<QComboBox>(*fresh, "ming")), usual + QStringList{"계약협의"});

    frmList list(office->session());
    list.resize(1200, 800);
    list.show();
    control<QLineEdit>(&list, "txtCount")->setText(QStringLiteral("50"));
    list.search({});
    QStringList shown = columnTexts(control<QTableView>(&list, "lvMy"), QStringLiteral("진행상태"));
    shown.sort();
    EXPECT_EQ(shown, (QStringList{"계약협의", "보류"}));
}

// An apartment's form has no parking field: filled as it shows, it is shared; a missing fact is
// named and its field marked.
TEST_P(frmInsertTest, AnApartmentFilledAsItsFormShowsIsShared) {
    auto window = open();
    fillApartment(*window);
    type(*window, "parking", QString()); // a field the apartment form does not show
    EXPECT_FALSE(control<QWidget>(*window, "parking")->isVisible());
    EXPECT_EQ(control<QLabel>(*window, "lbl_money_g")->text(), QStringLiteral("관리비 *"));
    type(*window, "ipjuday", QString());
    share(*window);
    save(*window);
    EXPECT_TRUE(shownText(QStringLiteral("입주가능일")));
    EXPECT_FALSE(shownText(QStringLiteral("주차대수")));
    EXPECT_EQ(local(1, "state").toInt(), 0) << "saved as the office's own";
    EXPECT_TRUE(control<QWidget>(*window, "ipjuday")->property("missing").toBool());
    EXPECT_FALSE(control<QWidget>(*window, "money_m")->property("missing").toBool());

    auto edit = open({EditMode::Edit, 1});
    type(*edit, "ipjuday", "즉시");
    share(*edit);
    save(*edit, DialogAnswer::Ok);
    EXPECT_EQ(local(1, "state").toInt(), 1);
    EXPECT_EQ(office->serverState(1), 1);
}

// The image box is filled from one choice of several files, keeps what the user unticks and is
// saved and published with the listing; a file that is no picture is refused as the office knows.
TEST_P(frmInsertTest, TheImageBoxIsFilledAndSavedWithTheListing) {
    TERAN_REQUIRE_SERVICE(office->hasFtp(), "the loopback FTP server");
    auto window = open();
    fillApartment(*window);
    share(*window);
    office->outlets.onWindow = [&](QObject* taken) {
        auto& box = *qobject_cast<frmImgBox*>(taken);
        QFile notes(QDir(picked.path()).filePath("notes.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("no picture");
        notes.close();
        office->dialogs.fileNext(notes.fileName());
        box.boxcmdUp_Click(0);
        EXPECT_EQ(office->dialogs.lastText(),
                  QStringLiteral("파일첨부오류\r\n\r\n그림 파일이 아닙니다: notes.txt"));
        office->dialogs.filesNext({picture("a.jpg"), picture("b.png"), picture("c.jpg")});
        box.boxcmdUp_Click(0);
        EXPECT_FALSE(control<QLabel>(box, "boxImg1")->pixmap().isNull());
        control<QCheckBox>(box, "boxChk1")->click();
        box.boxcmdDel_Click(2);
        control<QPushButton>(box, "cmdSave")->click();
    };
    control<QPushButton>(*window, "cmdimgBox")->click();
    save(*window);
    ASSERT_EQ(office->dialogs.lastText(), QStringLiteral("등록을 완료하였습니다. 계속등록하시겠습까?"));

    const QString id = office->officeId();
    EXPECT_TRUE(QFile::exists(office->localPicture(pictureName(id, 1, 3))));
    EXPECT_TRUE(QFile::exists(office->localPicture(pictureName(id, 1, 4, "png"))));
    EXPECT_TRUE(QFile::exists(office->remotePicture(pictureName(id, 1, 3))));
    EXPECT_FALSE(QFile::exists(office->remotePicture(pictureName(id, 1, 4, "png"))));
    EXPECT_FALSE(QFile::exists(office->localPicture(pictureName(id, 1, 5))));

    auto edit = open({EditMode::Edit, 1});
    bool shown = false;
    office->outlets.onWindow = [&](QObject* taken) {
        auto& box = *qobject_cast<frmImgBox*>(taken);
        shown = true;
        EXPECT_TRUE(control<QCheckBox>(box, "boxChk0")->isChecked());
        EXPECT_FALSE(control<QCheckBox>(box, "boxChk1")->isChecked());
        EXPECT_FALSE(control<QLabel>(box, "boxImg1")->pixmap().isNull());
        EXPECT_FALSE(control<QCheckBox>(box, "boxChk2")->isEnabled());
    };
    control<QPushButton>(*edit, "cmdimgBox")->click();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(control<QPushButton>(*edit, "cmdFilebox")->isEnabled());
}

// A local store that refuses keeps the form as typed and never says the listing was registered.
// The server lost during the save: the listing is saved shared as chosen, the user is told why its
// copy waits, and no completion message claims more.
TEST_P(frmInsertTest, AFailedSaveKeepsTheFormAndALostServerKeepsTheShareWaiting) {
    refuseInsert(office->local(), "maemul", "cboname", "거부", "disk full");
    auto window = open();
    fillApartment(*window);
    type(*window, "cboName", "거부");
    save(*window, std::nullopt);
    EXPECT_FALSE(shownText(QStringLiteral("등록을 완료하였습니다")));
    EXPECT_TRUE(shownText(QStringLiteral("매물을 저장하지 못했습니다")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(control<QLineEdit>(*window, "money_m")->text(), QStringLiteral("85,000"));

    type(*window, "cboName", "래미안");
    share(*window);
    office->session().serverStore().setFaultHook([](const QString& sql) -> std::optional<QString> {
        if (sql.contains(QLatin1String("maemul")))
            return QStringLiteral("Lost connection to server during query");
        return std::nullopt;
    });
    const int number = control<QLineEdit>(*window, "tidx")->text().toInt();
    office->dialogs.answerNext(DialogAnswer::Ok);
    save(*window);
    EXPECT_TRUE(shownText(QStringLiteral("공유를 전송대기에 두었습니다")));
    EXPECT_FALSE(shownText(QStringLiteral("공유하였습니다")));
    EXPECT_EQ(local(number, "state").toInt(), 1) << "the listing is shared as chosen; its copy waits";
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM outbox WHERE tidx = ?", {number}).toInt(), 1);
    office->session().serverStore().setFaultHook({});
}

// The checks before anything is written: an address, a grade for sharing, and a second listing
// on the same lot and unit. A copy is stored under the next number with copies of the pictures;
// the window then edits it.
TEST_P(frmInsertTest, TheSaveAsksBeforeADuplicateAndACopyIsANewListing) {
    TERAN_REQUIRE_SERVICE(office->hasFtp(), "the loopback FTP server");
    auto window = open();
    control<QPushButton>(*window, "cmdSave")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("소재지를 입력해주세요."));
    fillApartment(*window);
    office->dialogs.fileNext(picture("front.png"));
    control<QPushButton>(*window, "cmdImgname1")->click();
    control<QCheckBox>(*window, "chkInternet")->click();
    control<QPushButton>(*window, "cmdSave")->click();
    EXPECT_EQ(office->dialogs.shown().last().title, QStringLiteral("인터넷매물 등록오류"));
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM maemul").toInt(), 0);
    control<QCheckBox>(*window, "chkInternet")->click();
    control<QCheckBox>(*window, "AutoChk")->setChecked(true);
    save(*window, DialogAnswer::Yes); // 계속등록 with 연속등록: values stay
    EXPECT_EQ(control<QComboBox>(*window, "cboName")->currentText(), QStringLiteral("래미안"));
    save(*window); // No to the duplicate question
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral("같은 소재지(지번, 호수)의 매물이 이미 있습니다. (매물번호 1)\r\n그래도 새 "
                             "매물로 등록하시겠습니까?"));
    EXPECT_EQ(office->local().scalar("SELECT COUNT(*) FROM maemul").toInt(), 1);

    auto edit = open({EditMode::Edit, 1});
    office->dialogs.answerNext(DialogAnswer::Yes); // 현재 매물을 복사합니다.
    office->dialogs.answerNext(DialogAnswer::Ok);
    control<QPushButton>(*edit, "cmdCopy")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("복사를 완료하였습니다"));
    EXPECT_EQ(edit->mode(), EditMode::Edit);
    EXPECT_EQ(edit->number(), 2);
    EXPECT_EQ(local(2, "imgname1").toString(), pictureName(office->officeId(), 2, 1, "png"));
    EXPECT_TRUE(QFile::exists(office->localPicture(pictureName(office->officeId(), 2, 1, "png"))));
    EXPECT_EQ(local(2, "cboname").toString(), QStringLiteral("래미안"));
}

// The type rules as the user meets them: land hides the second area and calls the first
// "대지"; a building lists its stored classes before the fixed ones; 건축년도 reaches this year.
TEST_P(frmInsertTest, TheFormFollowsTheTypeRulesAndComputesWhileTyping) {
    office->addListing({{"tb", "gunmul"}, {"maemultype", "가나다 분류"}});
    auto window = open();
    chooseType(*window, "land");
    EXPECT_TRUE(control<QLabel>(*window, "lblPyung0")->text().startsWith(QStringLiteral("대지")));
    EXPECT_FALSE(control<QLineEdit>(*window, "pyung_use")->isVisible());
    EXPECT_FALSE(control<QWidget>(*window, "framoney2")->isVisible());
    chooseType(*window, "gunmul");
    EXPECT_TRUE(control<QLineEdit>(*window, "pyung_use")->isVisible());
    EXPECT_TRUE(control<QWidget>(*window, "framoney2")->isVisible());
    EXPECT_EQ(control<QLabel>(*window, "lbl_m9")->text(), QStringLiteral("분류 *"))
        << "거래형태 is required for an internet advertisement: the caption is marked";
    const QStringList classes = itemsOf(control<QComboBox>(*window, "maemultype"));
    EXPECT_EQ(classes.value(0), QStringLiteral("가나다 분류"));
    EXPECT_EQ(classes.value(1), QStringLiteral("오피스(업무.사옥용)"));
    EXPECT_EQ(control<QLabel>(*window, "lbl_remake")->text(), QStringLiteral("리모델링년도"));
    chooseType(*window, "apt");
    const QStringList years = itemsOf(control<QComboBox>(*window, "makedate"));
    EXPECT_EQ(years.first(), QString::number(QDate::currentDate().year()));
    EXPECT_EQ(years.last(), QStringLiteral("1960"));
    EXPECT_EQ(control<QLabel>(*window, "lbl_remake")->text(), QStringLiteral("재건축"));
    // The amounts computed while typing, and the ㎡ converter both ways.
    type(*window, "money_m", "20000");
    type(*window, "money_y", "4000");
    type(*window, "money_mb", "1000");
    type(*window, "money_mw", "100");
    type(*window, "money_yeja", "100");
    EXPECT_EQ(control<QLineEdit>(*window, "money_sg")->text(), QStringLiteral("15,000"));
    EXPECT_EQ(control<QLineEdit>(*window, "money_ys")->text(), QStringLiteral("7.33"));
    type(*window, "money_y", "-");
    EXPECT_EQ(control<QLineEdit>(*window, "money_sg")->text(), QStringLiteral("19,000"));
    type(*window, "pyung", "10");
    EXPECT_EQ(control<QLineEdit>(*window, "pyung_m2")->text(), QStringLiteral("33.06"));
    EXPECT_EQ(control<QLineEdit>(*window, "money_p")->text(), QStringLiteral("2,000"));
    type(*window, "pyung_m2", "100");
    EXPECT_EQ(control<QLineEdit>(*window, "pyung")->text(), QStringLiteral("30"));
    type(*window, "pyung_m2", "abc");
}

// The lot lookup posts the lot and shows the page the web server made from it. 지번별 매물보기
// lists the own listings of the lot; 인쇄하기 prints the ticked ones.
TEST_P(frmInsertTest, TheLotLookupTheSameLotListAndItsPrint) {
    TERAN_REQUIRE_SERVICE(!webServiceUrl().isEmpty(), "the loopback web server");
    auto window = open();
    control<QPushButton>(*window, "cmdChkMul")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("소재지를 입력해주세요."));
    fillApartment(*window);
    control<QPushButton>(*window, "cmdJibunInfo")->click();
    auto* page = control<QTextBrowser>(*window, "web_info");
    ASSERT_TRUE(QTest::qWaitFor([&] { return page->toPlainText().contains(QStringLiteral("123-4")); }, 10000))
        << page->toPlainText().toStdString();
    EXPECT_TRUE(page->toPlainText().contains(QStringLiteral("역삼동")));
    control<QPushButton>(*window, "cmdChkMul")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("관련된 매물이 없습니다."));
    office->addListing({{"addr1", "서울"},
                        {"addr2", "강남구"},
                        {"addr3", "역삼동"},
                        {"addr4", "123-4"},
                        {"money_m", 31000}});
    office->addListing({{"addr1", "서울"}, {"addr2", "강남구"}, {"addr3", "역삼동"}, {"addr4", "99"}});
    control<QPushButton>(*window, "cmdChkMul")->click();
    auto* lot = control<QTreeWidget>(*window, "lvMy");
    ASSERT_EQ(lot->topLevelItemCount(), 1) << "only the listings of that lot";
    EXPECT_EQ(lot->topLevelItem(0)->text(lotListingCaptions().indexOf(QStringLiteral("매매가"))),
              QStringLiteral("31,000"));

    window->lotPanel().printTicked();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("인쇄할 목록에 '√'표시를 해주시기바랍니다."));
    EXPECT_TRUE(office->outlets.pages.empty());
    lot->topLevelItem(0)->setCheckState(0, Qt::Checked);
    window->lotPanel().printTicked();
    ASSERT_EQ(office->outlets.pages.size(), 1u);
    const QString printed = renderPdf(office->outlets.pages.back()).text;
    EXPECT_TRUE(printed.contains(QStringLiteral("31,000"))) << printed.toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("역삼동")));
}

// The two survey buttons print the stored listing on its type's sale and lease sheets.
// 매물삭제: only the office's main member or the staff member in charge; a listing not yet in the
// archive asks whether to archive (Yes) or delete (No); an archived one is deleted after asking.
TEST_P(frmInsertTest, TheSurveyButtonsPrintAndDeletingAsksAndChecksWhoMay) {
    const int kept = office->addListing({{"subid", "someone"}, {"addr1", "서울"}, {"money_m", 31000}});
    const int gone = office->addListing({{"subid", "someone"}});
    auto blank = open();
    EXPECT_FALSE(control<QPushButton>(*blank, "cmdPrintM")->isEnabled()) << "nothing stored yet";
    auto window = open({EditMode::Edit, kept});
    control<QPushButton>(*window, "cmdPrintM")->click();
    control<QPushButton>(*window, "cmdPrintim")->click();
    const auto& pages = office->outlets.pages;
    ASSERT_EQ(pages.size(), 2u);
    const QList<RenderedPdf> printed{renderPdf(pages[0]), renderPdf(pages[1])};
    EXPECT_TRUE(printed[0].text.contains(sheetTitle(QStringLiteral("apt"), QStringLiteral("M"))));
    EXPECT_TRUE(printed[0].text.contains(QStringLiteral("31,000")));
    EXPECT_TRUE(printed[1].text.contains(sheetTitle(QStringLiteral("apt"), QStringLiteral("W"))));
    EXPECT_EQ(printed[1].pages, 1);

    office->session().state().LoginId = QStringLiteral("stranger");
    auto refused = open({EditMode::Edit, kept});
    control<QPushButton>(*refused, "cmdDel")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물을 삭제할 권한이 없습니다."));
    EXPECT_EQ(office->dialogs.shown().last().title, QStringLiteral("매물삭제불가"));
    office->session().state().LoginId = office->officeId();

    office->dialogs.answerNext(DialogAnswer::Yes); // into the archive
    control<QPushButton>(*window, "cmdDel")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물을 이동하였습니다."));
    EXPECT_EQ(local(kept, "state").toInt(), 2);
    EXPECT_EQ(control<QPushButton>(*window, "cmdMove")->text(), QStringLiteral("매물함이동"));
    office->dialogs.answerNext(DialogAnswer::Yes); // 보관함매물을 삭제하시면 ...
    control<QPushButton>(*window, "cmdDel")->click();
    EXPECT_EQ(office->dialogs.lastText(),
              QStringLiteral(
                  "보관함매물을 삭제하시면 매도인정보와 작업내용이 모두 삭제됩니다.\r\n삭제하시겠습니까 ?"));
    EXPECT_FALSE(local(kept, "table_idx").isValid());

    auto other = open({EditMode::Edit, gone});
    office->dialogs.answerNext(DialogAnswer::No); // delete for good
    control<QPushButton>(*other, "cmdDel")->click();
    EXPECT_FALSE(local(gone, "table_idx").isValid());
}

// On a 1366×768 screen the form scrolls instead of running off it. The right-hand and lower
// panels are the user's choice, kept for the next window.
TEST_P(frmInsertTest, TheFormFitsASmallScreenAndThePanelChoiceIsKeptPerUser) {
    auto window = open();
    window->resize(1366, 700);
    QApplication::processEvents();
    auto* scroll = control<QScrollArea>(*window, "scrollForm");
    EXPECT_LE(window->frameGeometry().height(), 768);
    EXPECT_LE(window->minimumSizeHint().width(), 1366);
    EXPECT_LE(window->width(), 1366);
    EXPECT_TRUE(scroll->isVisible());
    EXPECT_GE(scroll->widget()->sizeHint().height(), scroll->viewport()->height() / 2);
    window->findChild<QAction*>(QStringLiteral("popupTime"))->trigger();
    window->findChild<QAction*>(QStringLiteral("popupCalendar"))->trigger();
    auto again = open();
    EXPECT_EQ(control<QStackedWidget>(*again, "panelRight")->currentWidget()->objectName(),
              QStringLiteral("pic_Digital"));
    EXPECT_EQ(control<QStackedWidget>(*again, "panelLower")->currentWidget()->objectName(),
              QStringLiteral("calendar"));
    EXPECT_TRUE(again->findChild<QAction*>(QStringLiteral("popupTime"))->isChecked());
    office->session().state().LoginId = QStringLiteral("st1");
    auto staff = open();
    EXPECT_EQ(control<QStackedWidget>(*staff, "panelRight")->currentWidget()->objectName(),
              QStringLiteral("fraMaedo"));
}

// The chain-store picker writes the brand as "[brand]"; the step buttons walk the own listings.
TEST_P(frmInsertTest, ChainStoresAndSteppingThroughTheListings) {
    const int first = office->addListing();
    const int second = office->addListing({{"tb", "jumpo"}});
    auto window = open({EditMode::Edit, first});
    control<QPushButton>(*window, "cmdMaker")->click();
    control<QComboBox>(*window, "maker_kind")->setCurrentText(QStringLiteral("커피점"));
    auto* brands = control<QListWidget>(*window, "maker_list");
    ASSERT_GT(brands->count(), 0);
    Q_EMIT brands->itemClicked(brands->item(0));
    EXPECT_EQ(window->form().text(QStringLiteral("maker")),
              QLatin1Char('[') + brands->item(0)->text() + QLatin1Char(']'));

    control<QPushButton>(*window, "cmdDown")->click();
    EXPECT_EQ(window->number(), second);
    EXPECT_EQ(control<QComboBox>(*window, "cboTb")->currentData().toString(), QStringLiteral("jumpo"));
    control<QPushButton>(*window, "cmdDown")->click();
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("매물의 끝입니다."));
    EXPECT_EQ(window->number(), second);
}

// A note of a stored listing is written in the note window, and the window's list follows.
TEST_P(frmInsertTest, ANoteOfTheListingIsWrittenInTheNoteWindow) {
    const int number = office->addListing();
    auto edit = open({EditMode::Edit, number});
    auto* notes = control<QTreeWidget>(*edit, "lvWork");
    EXPECT_EQ(notes->topLevelItemCount(), 0);
    edit->openWorkNote(0);
    auto* note = office->outlets.last<frmWork>();
    ASSERT_NE(note, nullptr);
    control<QPlainTextEdit>(*note, "workVw")->setPlainText("현장 확인 'O'Neil'");
    ASSERT_TRUE(note->cmdSave_Click());
    ASSERT_EQ(notes->topLevelItemCount(), 1);
    EXPECT_EQ(notes->topLevelItem(0)->text(2), "현장 확인 'O'Neil'");
    edit->openWorkNote(notes->topLevelItem(0)->data(0, Qt::UserRole).toInt());
    EXPECT_EQ(control<QPlainTextEdit>(*office->outlets.last<frmWork>(), "workVw")->toPlainText(),
              "현장 확인 'O'Neil'");

    // The lot's tab shows the notes kept under the lot, from any listing on it; one written
    // there stays with the lot and not with the listing.
    const int neighbour = office->addListing({{"addr4", "123-4"}, {"addr2", "강남구"}, {"addr3", "역삼동"}});
    auto lotEdit = open({EditMode::Edit, neighbour});
    auto* lotNotes = control<QTreeWidget>(*lotEdit, "lvWork");
    control<QTabWidget>(*lotEdit, "tabWork")->setCurrentIndex(1);
    EXPECT_TRUE(lotNotes->isVisibleTo(lotEdit.get())) << "the list moves to the lot's tab";
    EXPECT_EQ(lotNotes->topLevelItemCount(), 0);
    lotEdit->openWorkNote(0);
    control<QPlainTextEdit>(*office->outlets.last<frmWork>(), "workVw")->setPlainText("지번 전체 공사 예정");
    ASSERT_TRUE(office->outlets.last<frmWork>()->cmdSave_Click());
    ASSERT_EQ(lotNotes->topLevelItemCount(), 1);
    EXPECT_EQ(lotNotes->topLevelItem(0)->text(2), "지번 전체 공사 예정");
    control<QTabWidget>(*lotEdit, "tabWork")->setCurrentIndex(0);
    EXPECT_EQ(lotNotes->topLevelItemCount(), 0) << "the listing's own notes hold no lot note";
}

// Tried as a new user would: buyers typed in the buyer window want a 25–35평 apartment in 강남구,
// one for 100,000–130,000 만원 and one for up to 110,000. The apartment saved next says how many
// fit and opens them: the match list says why, the SMS window gets the buyer who fits exactly and
// the listing in one message, the text goes through the gateway, the pair is marked sent, and a
// new price makes it new.
TEST_P(frmInsertTest, ASavedListingTextsTheBuyersWhoFitIt) {
    TERAN_REQUIRE_SERVICE(smsService().has_value(), "the loopback SMS gateway teran-smsd");
    office->server().execute("INSERT INTO mem_cash (companyID, `ID`, `Type`, `Money`) VALUES (?,?,?,?)",
                             {office->officeId(), office->officeId(), "충전", 300});
    office->session().state().AuthConfig.phone = "02-555-1234";
    for (const auto& [name, phone, most] : {std::tuple{"김매수", "010-3333-9999", "130,000"},
                                            std::tuple{"이근접", "010-5555-6666", "110,000"}}) {
        frmMaesuin buyer(office->session(), 0);
        control<QLineEdit>(buyer, "txtName")->setText(name);
        control<QLineEdit>(buyer, "hantel")->setText(phone);
        for (const auto& [box, text] : {std::pair{"addre1", "서울"},
                                        {"addre2", "강남구"},
                                        {"cboTb", "아파트"},
                                        {"cboTy", "매매"},
                                        {"Sp1", "25"},
                                        {"Sp2", "35"},
                                        {"Sm1", "100,000"},
                                        {"Sm2", most}})
            control<QComboBox>(buyer, box)->setCurrentText(text);
        ASSERT_TRUE(buyer.cmdSave_Click());
    }

    auto window = open();
    fillApartment(*window);
    type(*window, "money_m", "115000");
    office->answerYes(); // see the buyers who fit
    save(*window);       // no further listing
    QStringList asked;
    for (const auto& box : office->dialogs.shown())
        asked << box.text;
    EXPECT_TRUE(asked.contains("조건에 맞는 매수인 2명\r\n\r\n맞는 매수인을 보시겠습니까 ?"))
        << asked.join("|").toStdString();
    auto* match = office->outlets.last<frmMatch>();
    ASSERT_NE(match, nullptr);
    auto* list = control<QTreeWidget>(*match, "lvMatch");
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(0) + "|" + list->topLevelItem(0)->text(2), "김매수|일치");
    EXPECT_EQ(list->topLevelItem(1)->text(3), "가격 5% 초과");

    bool sent = false;
    office->outlets.onWindow = [&sent](QObject* opened) {
        if (auto* sms = qobject_cast<frmSms*>(opened)) {
            EXPECT_EQ(sms->group(), QStringList{"01033339999"}) << "the near fit is not ticked";
            EXPECT_EQ(control<QPlainTextEdit>(*sms, "sendMsg")->toPlainText(),
                      "아파트 매매 래미안 34평 115,000만원");
            sent = sms->sendlbl_Click();
        }
    };
    match->cmdSms_Click();
    office->outlets.onWindow = nullptr;
    ASSERT_TRUE(sent) << office->dialogs.lastText().toStdString();
    QFile gatewayLog(smsService()->sentFile);
    ASSERT_TRUE(gatewayLog.open(QIODevice::ReadOnly));
    const QString gateway = QString::fromUtf8(gatewayLog.readAll());
    EXPECT_TRUE(gateway.contains("01033339999"));
    EXPECT_FALSE(gateway.contains("01055556666"));
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(4), "12/06 문자") << "the pair is marked sent";
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Unchecked) << "not offered twice";

    auto edit = open({EditMode::Edit, office->localValue("SELECT MAX(table_idx) FROM maemul").toInt()});
    type(*edit, "money_m", "120000");
    office->answerYes();
    control<QPushButton>(*edit, "cmdSave")->click();
    auto* again = office->outlets.last<frmMatch>();
    ASSERT_NE(again, match);
    EXPECT_EQ(control<QTreeWidget>(*again, "lvMatch")->topLevelItem(0)->text(4), "")
        << "a new price, new again";
}

INSTANTIATE_TEST_SUITE_P(Backends, frmInsertTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

} // namespace
