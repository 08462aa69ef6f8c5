#include "ui/shell/frmMain.h"
#include "HookedDialogs.h"
#include "ScriptedListWindow.h"
#include "TestOffice.h"
#include "core/listing/ListingRepository.h"
#include "core/listing/PropertyTypes.h"
#include "core/listings/ActionTexts.h"
#include "core/listings/ListingSheet.h"
#include "core/people/BuyerRegister.h"
#include "ui/contracts/frmGaeyak.h"
#include "ui/listings/ListingActionRunner.h"
#include "ui/listings/SearchPanel.h"
#include "ui/people/frmClub.h"
#include "ui/people/frmMatch.h"
#include "ui/people/frmPaperin.h"
#include "ui/people/frmSms.h"
#include "ui/shell/MainMenus.h"
#include "ui/shell/StartPanelArea.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

using namespace teran;
using namespace teran::test;

namespace {

class frmMainTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite);
        ASSERT_NE(office, nullptr);
        dialogs = std::make_unique<HookedDialogs>(office->dialogs);
        session = std::make_unique<Session>(office->config, office->clock, *dialogs, office->probe());
        session->setProgramEnd([this](int code) { ended << code; });
        session->setOutlets(&office->outlets);
        ASSERT_TRUE(session->MdbsqlConnOpen());
        loginAs(QStringLiteral("off1"));
    }

    void loginAs(const QString& id) {
        session->state().LoginId = id;
        session->state().OfficeMainId = QStringLiteral("off1");
    }

    std::unique_ptr<frmMain> openMain() {
        auto main = std::make_unique<frmMain>(*session, windows.factory());
        main->show();
        return main;
    }

    static QAction* entry(const frmMain& main, const QString& name) {
        auto* found = main.findChild<QAction*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    template <typename T> static T* control(const frmMain& main, const char* name) {
        T* found = main.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    int addListing(const ListingRow& columns) {
        ListingRow row{{"tb", "apt"},           {"ty", "M"},        {"id", "off1"},
                       {"subid", "off1"},       {"state", 0},       {"cboname", "래미안"},
                       {"addr1", "서울"},       {"money_m", 85000}, {"uname", "홍길동"},
                       {"uhp", "010-1111-2222"}};
        for (auto it = columns.constBegin(); it != columns.constEnd(); ++it)
            row.insert(it.key(), it.value());
        return insertLocal(session->listingStore(), row);
    }
    QVariant localValue(const QString& sql, int number) {
        return session->listingStore().scalar(sql, {number});
    }
    const ScriptedDialogs::Shown& lastBox() const { return office->dialogs.shown().last(); }
    QString statusText(const frmMain& main) const { return control<QLabel>(main, "StatusBar1_text")->text(); }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<HookedDialogs> dialogs;
    std::unique_ptr<Session> session;
    ScriptedListWindows windows;
    QList<int> ended;
};

} // namespace

TEST_F(frmMainTest, ExitAsksFirstAndEndsTheProgramOnlyOnYes) {
    auto main = openMain();
    office->dialogs.answerNext(DialogAnswer::No);
    entry(*main, "exit")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("TERAN 프로그램을 종료합니다."));
    EXPECT_EQ(lastBox().buttons, DialogButtons::YesNo);
    EXPECT_TRUE(ended.isEmpty());
    EXPECT_TRUE(session->listingOpen());

    office->dialogs.answerNext(DialogAnswer::Yes);
    entry(*main, "exit")->trigger();
    EXPECT_EQ(ended, QList<int>{0});
    EXPECT_FALSE(session->listingOpen());
}

// The first time the window fills its screen; then it opens where the user left it.
TEST_F(frmMainTest, TheWindowOpensMaximizedFirstAndThenWhereTheUserLeftIt) {
    {
        auto main = openMain();
        EXPECT_TRUE(main->isMaximized());
        main->showNormal();
        main->setGeometry(40, 50, 900, 600);
        office->dialogs.answerNext(DialogAnswer::Yes);
        entry(*main, "exit")->trigger();
    }
    ASSERT_TRUE(session->MdbsqlConnOpen());
    auto again = openMain();
    EXPECT_FALSE(again->isMaximized());
    EXPECT_EQ(again->size(), QSize(900, 600));
}

// 매물등록 opens an empty registration window, a double click or 매물수정 on an own listing opens
// it on that listing (one window at a time), and the club list refuses.
TEST_F(frmMainTest, TheRegistrationWindowOpensNewOrOnTheChosenOwnListing) {
    const int number =
        insertLocal(session->listingStore(), {{"tb", "villa"}, {"id", "off1"}, {"cboname", "행복빌라"}});
    auto main = openMain();
    entry(*main, "img_over_insert")->trigger();
    ASSERT_NE(main->registration(), nullptr);
    EXPECT_EQ(main->registration()->mode(), EditMode::New);
    entry(*main, "img_over_gaeyak")->trigger();
    entry(*main, "img_over_gaeyak")->trigger();
    EXPECT_EQ(main->findChildren<frmGaeyak*>().size(), 1) << "one contract register";

    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    own->askToEdit(number);
    QApplication::processEvents();
    ASSERT_NE(main->registration(), nullptr);
    EXPECT_EQ(main->registration()->mode(), EditMode::Edit);
    EXPECT_EQ(main->registration()->number(), number);
    EXPECT_EQ(main->findChildren<frmInsert*>().size(), 1) << "the window opened before is closed";

    entry(*main, "listKindClub")->trigger();
    entry(*main, "apt_m")->trigger();
    windows.of(ListKind::Club)->current = 5;
    entry(*main, "medit")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("클럽목록에서는 이메뉴를 사용하실 수가 없습니다."));
}

// The start panel and the backup entries follow what is stored: the panel per user, the
// entries by the office's permissions (the permission marks themselves stay hidden).
// 내매물 인쇄 prints the sheet of the own listing under the cursor, 공유매물 인쇄 that of the
// shared row; either says so when its kind of list has no row chosen.
TEST_F(frmMainTest, ThePrintEntriesPrintTheSheetOfTheChosenListing) {
    const int number = addListing({{"ty", "M"}, {"addr1", "부산"}});
    insertServer(office->server(),
                 {{"id", "other"}, {"subid", "other"}, {"sub_idx", 8}, {"tb", "land"}, {"ty", "J"}});
    const int serverRow =
        office->server().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul")).toInt();
    session->state().InternetOk = true; // as after an online login
    auto main = openMain();
    entry(*main, "apt_m")->trigger();
    windows.of(ListKind::Own)->current = number;
    entry(*main, "bogom")->trigger();
    entry(*main, "bogo")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("선택된 매물이 없습니다.")) << "no shared list is open";

    entry(*main, "listKindShared")->trigger();
    entry(*main, "land_j")->trigger();
    windows.of(ListKind::Shared)->serverRow = serverRow;
    entry(*main, "bogo")->trigger();
    QStringList printed;
    for (const report::Document& page : office->outlets.pages)
        printed << page.title;
    EXPECT_EQ(printed, (QStringList{sheetTitle(QStringLiteral("apt"), QStringLiteral("M")),
                                    sheetTitle(QStringLiteral("land"), QStringLiteral("J"))}));
}

// 맞는 매수인 opens the buyers who fit the own listing or the shared row under the cursor.
TEST_F(frmMainTest, TheFittingBuyersEntryOpensTheBuyersOfTheChosenListing) {
    Buyer wanted;
    wanted.contact.name = QStringLiteral("김매수");
    wanted.tb = QStringLiteral("아파트");
    wanted.ty = QStringLiteral("매매");
    wanted.amount = {80000, 90000};
    ASSERT_TRUE(BuyerRegister(*session).save({wanted, false, false, {}, {}}).saved);
    const int number = addListing({{"tb", "apt"}, {"ty", "M"}, {"money_m", 85000}});
    insertServer(office->server(), {{"id", "other"},
                                    {"subid", "other"},
                                    {"sub_idx", 8},
                                    {"tb", "apt"},
                                    {"ty", "M"},
                                    {"money_m", 200000}});
    session->state().InternetOk = true;
    auto main = openMain();
    entry(*main, "fitbuyers")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("선택된 매물이 없습니다."));
    entry(*main, "apt_m")->trigger();
    windows.of(ListKind::Own)->current = number;
    entry(*main, "fitbuyers")->trigger();
    const frmMatch* ofOwn = office->outlets.last<frmMatch>();
    ASSERT_NE(ofOwn, nullptr);
    EXPECT_EQ(ofOwn->fitCount(), 1);

    entry(*main, "listKindShared")->trigger();
    entry(*main, "apt_m")->trigger();
    windows.of(ListKind::Shared)->serverRow =
        office->server().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul")).toInt();
    entry(*main, "fitbuyers")->trigger();
    ASSERT_NE(office->outlets.last<frmMatch>(), ofOwn);
    EXPECT_EQ(office->outlets.last<frmMatch>()->fitCount(), 0) << "200,000 is beyond his range";
}

// 문의하기 writes to the office of the shared row under the cursor, about its own number.
TEST_F(frmMainTest, TheQuestionEntryWritesToTheOfficeOfTheSharedListing) {
    insertServer(office->server(),
                 {{"id", "other"}, {"subid", "other"}, {"sub_idx", 8}, {"tb", "land"}, {"ty", "J"}});
    office->server().execute("INSERT INTO members (companyID, memID) VALUES ('other', 'other')");
    session->state().InternetOk = true;
    session->state().AuthConfig.name = "우리부동산";
    session->state().AuthConfig.phone = "02-111-2222";
    auto main = openMain();
    entry(*main, "question")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("선택된 매물이 없습니다."));
    entry(*main, "listKindShared")->trigger();
    entry(*main, "land_j")->trigger();
    windows.of(ListKind::Shared)->serverRow =
        office->server().scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul")).toInt();
    entry(*main, "question")->trigger();
    auto* written = office->outlets.last<frmPaperin>();
    ASSERT_NE(written, nullptr);
    EXPECT_EQ(written->findChild<QLineEdit*>("title")->text(), "매물번호 8 번에 관련  문의 입니다.");
    written->findChild<QPlainTextEdit*>("content")->setPlainText("공동중개 가능할까요?");
    ASSERT_TRUE(written->cmdSave_Click());
    const QList<Inquiry> box = InquiryBox(office->server(), "other").list();
    ASSERT_EQ(box.size(), 1);
    EXPECT_EQ(box.first().name, "우리부동산");
    EXPECT_EQ(box.first().from, "off1");
    EXPECT_EQ(box.first().listing, 8);
}

// The office's main account always has the backup and restore, and ticks what its staff may run
// (asked first); a staff login gets what is ticked.
TEST_F(frmMainTest, TheStartPanelAndTheBackupEntriesFollowTheStoredSettings) {
    {
        auto main = openMain();
        EXPECT_TRUE(entry(*main, "popupLogo")->isChecked());
        EXPECT_TRUE(entry(*main, "dogubackupSvr")->isEnabled());
        EXPECT_TRUE(entry(*main, "dogurestoreSvr")->isEnabled());
        EXPECT_TRUE(entry(*main, "dogubackupAc")->isVisible());
        EXPECT_FALSE(entry(*main, "dogubackupAc")->isChecked());
        entry(*main, "popupWork2")->trigger();
        EXPECT_FALSE(entry(*main, "popupLogo")->isChecked());
        EXPECT_EQ(main->startArea().panel(), StartPanel::Work2);

        office->dialogs.answerNext(DialogAnswer::No);
        entry(*main, "dogubackupAc")->trigger();
        EXPECT_TRUE(office->dialogs.lastText().contains("off1회원님께서 철저하게 관리를 하셔야 합니다."));
        EXPECT_FALSE(entry(*main, "dogubackupAc")->isChecked()) << "answered No";
        office->dialogs.answerNext(DialogAnswer::Yes);
        entry(*main, "dogubackupAc")->trigger();
        EXPECT_TRUE(entry(*main, "dogubackupAc")->isChecked());
    }
    EXPECT_TRUE(SettingsStore(session->listingStore()).backupPermissions().backup);
    auto again = openMain();
    EXPECT_TRUE(entry(*again, "popupWork2")->isChecked());
    EXPECT_EQ(again->startArea().panel(), StartPanel::Work2);
    EXPECT_TRUE(entry(*again, "dogubackupAc")->isChecked());

    loginAs(QStringLiteral("st1"));
    auto staff = openMain();
    EXPECT_TRUE(entry(*staff, "popupLogo")->isChecked()) << "another user's choice is his own";
    EXPECT_TRUE(entry(*staff, "dogubackupSvr")->isEnabled()) << "ticked for the staff";
    EXPECT_FALSE(entry(*staff, "dogubackupAc")->isVisible());
    SettingsStore(session->listingStore()).setBackupAllowed(BackupAction::Backup, false);
    auto refused = openMain();
    EXPECT_FALSE(entry(*refused, "dogubackupSvr")->isEnabled());
    EXPECT_FALSE(entry(*refused, "dogurestoreSvr")->isEnabled());
}

TEST_F(frmMainTest, ATypeEntryOpensTheListOfTheActiveKindOnThatTypeAndSearches) {
    auto main = openMain();
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    ASSERT_EQ(own->searches.size(), 1);
    EXPECT_EQ(own->searches[0].tb, QStringLiteral("apt"));
    EXPECT_EQ(control<QLabel>(*main, "hdnTbcode")->text(), QStringLiteral("apt"));
    auto* sub = qobject_cast<QMdiSubWindow*>(own->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->isMaximized());
    EXPECT_EQ(main->mdiArea()->currentSubWindow(), sub);

    // The same kind again: the window is brought forward, not made twice.
    entry(*main, "villa_b")->trigger();
    EXPECT_EQ(windows.made.size(), 1);
    EXPECT_EQ(own->searches.last().tb, QStringLiteral("villa"));
    EXPECT_EQ(control<QLabel>(*main, "lblTy")->text(), QStringLiteral("B"));

    // The shared list starts on the region the office set for the type.
    SettingsStore(session->listingStore())
        .setRegionDefault(QStringLiteral("office"),
                          {QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")});
    entry(*main, "listKindShared")->trigger();
    EXPECT_FALSE(entry(*main, "listKindOwn")->isChecked());
    entry(*main, "office_w")->trigger();
    ScriptedListWindow* shared = windows.of(ListKind::Shared);
    ASSERT_NE(shared, nullptr);
    ASSERT_EQ(shared->searches.size(), 1);
    EXPECT_EQ(shared->searches[0].tb, QStringLiteral("office"));
    EXPECT_EQ(shared->searches[0].addr3, QStringLiteral("역삼동"));
    EXPECT_EQ(own->searches.size(), 2);

    // A closed window is made anew; the whole list button opens the own list of every type.
    sub->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    entry(*main, "img_over_all")->trigger();
    EXPECT_TRUE(entry(*main, "listKindOwn")->isChecked());
    ScriptedListWindow* fresh = windows.of(ListKind::Own);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(windows.made.size(), 3);
    ASSERT_EQ(fresh->searches.size(), 1);
    EXPECT_EQ(fresh->searches[0].tb, QStringLiteral("all"));
}

TEST_F(frmMainTest, AKindWithoutItsWindowSaysSoAndOpensNothing) {
    windows.missing << ListKind::Club;
    auto main = openMain();
    entry(*main, "listKindClub")->trigger();
    entry(*main, "apt_m")->trigger();
    EXPECT_TRUE(windows.made.isEmpty());
    EXPECT_EQ(lastBox().text, QStringLiteral("이 메뉴의 화면은 다음 판에서 제공됩니다."));
    EXPECT_TRUE(main->mdiArea()->subWindowList().isEmpty());
}

TEST_F(frmMainTest, TheSearchButtonSearchesTheActiveWindowWithThePanelsInputs) {
    auto main = openMain();
    // Nothing open yet: the search opens the own list.
    QTest::mouseClick(control<QPushButton>(*main, "cmdSearch"), Qt::LeftButton);
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    ASSERT_EQ(own->searches.size(), 1);
    EXPECT_EQ(own->searches[0].tb, QStringLiteral("all"));

    entry(*main, "gong_m")->trigger();
    control<QLineEdit>(*main, "Keyword")->setText(QStringLiteral("역세권"));
    control<QLineEdit>(*main, "txtTidx")->setText(QStringLiteral("7, 9"));
    QTest::mouseClick(control<QPushButton>(*main, "cmdSearch"), Qt::LeftButton);
    ASSERT_EQ(own->searches.size(), 3);
    EXPECT_EQ(own->searches[2].tb, QStringLiteral("gong"));
    EXPECT_EQ(own->searches[2].keyword, QStringLiteral("역세권"));
    EXPECT_EQ(own->searches[2].numbers, (QList<int>{7, 9}));

    // A box that holds no number stops the search with a message.
    control<QLineEdit>(*main, "pyung3")->setText(QStringLiteral("스무평"));
    QTest::mouseClick(control<QPushButton>(*main, "cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(own->searches.size(), 3);
    EXPECT_EQ(lastBox().text, SearchPanel::notANumberText(QStringLiteral("실평")));

    // cmdCancel empties the panel; the search runs again.
    QTest::mouseClick(control<QPushButton>(*main, "cmdCancel"), Qt::LeftButton);
    QTest::keyClick(control<QLineEdit>(*main, "Keyword"), Qt::Key_Return);
    ASSERT_EQ(own->searches.size(), 4);
    EXPECT_TRUE(own->searches[3].keyword.isEmpty());
    EXPECT_FALSE(own->searches[3].usableFrom.has_value());
    EXPECT_EQ(own->searches[3].tb, QStringLiteral("gong"));
}

TEST_F(frmMainTest, TicksOfTheSharedListNeverReachTheOwnListingsActions) {
    const int number = addListing({});
    auto main = openMain();
    entry(*main, "listKindShared")->trigger();
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* shared = windows.of(ListKind::Shared);
    ASSERT_NE(shared, nullptr);
    // A server row number that happens to equal a local listing's number.
    shared->picks = {{number, QStringLiteral("다른 사무소의 매물")}};
    office->dialogs.answerNext(DialogAnswer::Yes);
    entry(*main, "mdel")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("선택된 매물이 없습니다."));
    EXPECT_EQ(localValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE table_idx = ?"), number).toInt(),
              1);
}

TEST_F(frmMainTest, ArchivingTickedListingsRefreshesTheListAndClearsTheStatusText) {
    const int first = addListing({});
    const int second = addListing({{"cboname", "자이"}});
    auto main = openMain();
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    own->sayStatus(QStringLiteral("검색된 데이타가 총 2 건입니다."));
    EXPECT_EQ(statusText(*main), QStringLiteral("검색된 데이타가 총 2 건입니다."));
    own->picks = {{first, QStringLiteral("래미안")}, {second, QStringLiteral("자이")}};

    office->dialogs.answerNext(DialogAnswer::Yes);
    entry(*main, "bogan_1")->trigger();
    const auto& shown = office->dialogs.shown();
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(
        shown[shown.size() - 2].text,
        QStringLiteral("선택된매물 (2)개 \r\n[래미안,자이]을 보관함으로 이동합니다. \r\n단, 인터넷매물을 "
                       "보관함으로 이동할경우에는 인터넷매물은 자동 삭제됩니다. 실행하시겠습니까 ?"));
    EXPECT_EQ(lastBox().text, QStringLiteral("매물보관함으로 이동작업 (2)건을 완료하였습니다."));
    for (int number : {first, second})
        EXPECT_EQ(localValue(QStringLiteral("SELECT state FROM maemul WHERE table_idx = ?"), number).toInt(),
                  2);
    EXPECT_EQ(own->refreshes, 1);
    EXPECT_TRUE(statusText(*main).isEmpty());
}

TEST_F(frmMainTest, ASecondClickWhileAnActionRunsDoesNothing) {
    const int number = addListing({});
    auto main = openMain();
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    own->picks = {{number, QStringLiteral("래미안")}};
    QList<bool> enabledWhileAsked;
    int boxes = 0;
    dialogs->onMessage = [&] {
        ++boxes;
        enabledWhileAsked << main->ClickEnabled();
        if (boxes == 1) {
            entry(*main, "mdel")->trigger();
            entry(*main, "bogan_1")->trigger();
        }
    };
    office->dialogs.answerNext(DialogAnswer::No);
    entry(*main, "mdel")->trigger();
    dialogs->onMessage = nullptr;
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(enabledWhileAsked, QList<bool>{false});
    EXPECT_EQ(lastBox().title, QStringLiteral("매물삭제"));
    EXPECT_TRUE(main->ClickEnabled());
    EXPECT_EQ(localValue(QStringLiteral("SELECT state FROM maemul WHERE table_idx = ?"), number).toInt(), 0);
    EXPECT_EQ(own->refreshes, 0);

    // Once it has ended the entries work again.
    office->dialogs.answerNext(DialogAnswer::Yes);
    entry(*main, "mdel")->trigger();
    EXPECT_EQ(localValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE table_idx = ?"), number).toInt(),
              0);
    EXPECT_EQ(own->refreshes, 1);
}

TEST_F(frmMainTest, TheOwnersNumbersAreCollectedForTheSmsWindow) {
    const int first = addListing({});
    const int second = addListing({{"uhp", "-"}});
    const int third = addListing({{"uhp", "010-3333-4444"}});
    auto main = openMain();
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    own->picks = {{first, QStringLiteral("a")}, {second, QStringLiteral("b")}, {third, QStringLiteral("c")}};

    QStringList group;
    office->outlets.onWindow = [&group](QObject* window) { group = qobject_cast<frmSms*>(window)->group(); };
    office->dialogs.answerNext(DialogAnswer::Yes);
    entry(*main, "smsgo")->trigger();
    QStringList numbers = main->smsNumbers();
    numbers.sort();
    EXPECT_EQ(numbers, (QStringList{QStringLiteral("010-1111-2222"), QStringLiteral("010-3333-4444")}));
    group.sort();
    EXPECT_EQ(group, (QStringList{QStringLiteral("01011112222"), QStringLiteral("01033334444")}))
        << "the SMS window opens with the numbers as its group";

    // The agents' entry takes the ticks of a shared list only.
    office->dialogs.clear();
    entry(*main, "smsgo2")->trigger();
    EXPECT_EQ(lastBox().text, QStringLiteral("선택된 매물이 없습니다."));
}

TEST_F(frmMainTest, ARowClickShowsItsPicturesAndInfoAndTheListsStatusText) {
    const QString picture = office->dir.filePath(QStringLiteral("pic1.png"));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(picture));
    auto main = openMain();
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    own->chooseRow({5, picture, office->dir.filePath(QStringLiteral("missing.png")),
                    QStringLiteral("홍길동 [집] 02-111-2222")});
    EXPECT_FALSE(control<QLabel>(*main, "imgname1")->pixmap().isNull());
    EXPECT_TRUE(control<QLabel>(*main, "imgname2")->pixmap().isNull());
    EXPECT_EQ(control<QLabel>(*main, "lblInfo")->text(), QStringLiteral("홍길동 [집] 02-111-2222"));

    own->chooseRow({6, QString(), QString(), QStringLiteral("등록자정보없음.")});
    EXPECT_TRUE(control<QLabel>(*main, "imgname1")->pixmap().isNull());
}

TEST_F(frmMainTest, WebPagesOpenUnderTheVendorsWebHost) {
    TeranConfig config;
    config.webBaseUrl = QStringLiteral("http://127.0.0.1:8080/teran");
    EXPECT_EQ(config.webPage(QStringLiteral("sise")),
              QUrl(QStringLiteral("http://127.0.0.1:8080/teran/sise")));
    config.webBaseUrl = QString();
    EXPECT_TRUE(config.webPage(QStringLiteral("sise")).isEmpty());
    {
        auto main = openMain();
        entry(*main, "cashuse")->trigger();
        const QList<QUrl>& opened = office->outlets.urls;
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened.first().path().section(QLatin1Char('/'), -1), QStringLiteral("cashuse"));
    }
    office->config.webBaseUrl = QString();
    session = std::make_unique<Session>(office->config, office->clock, *dialogs, office->probe());
    ASSERT_TRUE(session->MdbsqlConnOpen());
    EXPECT_FALSE(entry(*openMain(), "cashuse")->isEnabled()) << "no web host, no web page";
}

TEST_F(frmMainTest, TheCashBalanceIsAskedForOnlyAfterAnOnlineLogin) {
    office->server().execute(QStringLiteral("INSERT INTO mem_cash(companyID, Money) VALUES(?,?)"),
                             {QStringLiteral("off1"), 25000});
    {
        auto offline = openMain();
        EXPECT_TRUE(control<QLabel>(*offline, "StatusBar1_cash")->text().isEmpty());
        EXPECT_TRUE(office->dialogs.shown().isEmpty());
    }
    session->state().OnlineMode = QStringLiteral("yes");
    auto online = openMain();
    EXPECT_EQ(control<QLabel>(*online, "StatusBar1_cash")->text(), QStringLiteral("25,000 원"));
}

TEST_F(frmMainTest, TheArchiveEntriesFitTheTabTheOwnListShows) {
    auto main = openMain();
    QMenu* menu = main->menus().listingMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->actions().count(entry(*main, "mdel")), 1);
    entry(*main, "apt_m")->trigger();
    ScriptedListWindow* own = windows.of(ListKind::Own);
    ASSERT_NE(own, nullptr);
    Q_EMIT menu->aboutToShow();
    EXPECT_FALSE(entry(*main, "bogan_0")->isEnabled());
    EXPECT_TRUE(entry(*main, "bogan_1")->isEnabled());
    own->archive = true;
    Q_EMIT menu->aboutToShow();
    EXPECT_TRUE(entry(*main, "bogan_0")->isEnabled());
    EXPECT_FALSE(entry(*main, "bogan_1")->isEnabled());
}

TEST_F(frmMainTest, AClubEntryOpensTheOneClubWindowOnWhatItNames) {
    const int club = office->addClub(QStringLiteral("off1"), QStringLiteral("apt"));
    office->joinClub(club, QStringLiteral("st1"), 1);
    auto main = openMain();
    entry(*main, "clubmem")->trigger();
    auto* clubs = office->outlets.last<frmClub>();
    ASSERT_NE(clubs, nullptr) << "the club window is shown";
    EXPECT_EQ(clubs->currentClub(), club);
    EXPECT_EQ(clubs->findChild<QTreeWidget*>("lvMember")->topLevelItemCount(), 2);

    office->dialogs.answerNext(DialogAnswer::No);
    entry(*main, "clubinout")->trigger(); // the user's own club: leaving is asked
    EXPECT_EQ(office->dialogs.lastText(), QStringLiteral("정말 탈퇴하시겠습니까 ?"));
    EXPECT_EQ(office->outlets.last<frmClub>(), clubs) << "one club window";
    EXPECT_EQ(main->findChildren<frmClub*>().size(), 1);
    EXPECT_EQ(clubs->currentClub(), club) << "answered No";
}

// After an offline login the box of an online action sends the user to the status bar's button
// by the name that button shows, not to a new login.
TEST_F(frmMainTest, TheOfflineLoginBoxNamesTheStatusBarsReconnectButton) {
    session->state().OnlineMode = QStringLiteral("offline");
    auto main = openMain();
    for (const char* name : {"internetin", "dogutimeup"}) {
        SCOPED_TRACE(name);
        office->dialogs.clear();
        entry(*main, name)->trigger();
        ASSERT_EQ(office->dialogs.shown().size(), 1);
        const QString text = lastBox().text;
        EXPECT_TRUE(text.startsWith(QStringLiteral("오프라인으로 로그인하셨습니다.")));
        EXPECT_TRUE(text.contains(QLatin1Char('\'') + control<QPushButton>(*main, "cmdReconnect")->text() +
                                  QLatin1Char('\'')))
            << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("로그인하신 후"))) << "no new login is needed";
    }
}

// 데이터 백업 and 데이터 복구 show the copy's steps with 취소, and the window is gone when the
// closing box comes; 취소 leaves no backup and replaces nothing.
TEST_F(frmMainTest, TheBackupEntriesShowTheirProgressWithCancel) {
    QTemporaryDir work;
    const QString folder = work.filePath(QStringLiteral("made"));
    auto main = openMain();
    struct Case {
        const char* entry;
        bool cancel;
        QString path; // the folder the user names or picks
        QString closing;
    };
    const Case cases[] = {
        {"dogubackupSvr", false, folder, folder + QStringLiteral(" 로 백업을 완료하였습니다.")},
        {"dogubackupSvr", true, work.filePath(QStringLiteral("cancelled")),
         QStringLiteral("취소되었습니다.")},
        {"dogurestoreSvr", true, folder, QStringLiteral("취소되었습니다.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.entry) + (c.cancel ? " cancelled" : ""));
        QStringList labels;
        QString cancelText;
        bool shownAtClosing = true;
        QPointer<QProgressDialog> seen;
        QTimer watch; // the user's eye on the window while the work runs
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            auto* box = main->findChild<QProgressDialog*>(QStringLiteral("frmProgress"));
            if (!box)
                return;
            if (box != seen) { // as it shows itself once the work lasts
                seen = box;
                box->show();
                if (auto* cancel = box->findChild<QPushButton*>())
                    cancelText = cancel->text();
            }
            if (!labels.contains(box->labelText()))
                labels << box->labelText();
            if (c.cancel)
                box->cancel();
        });
        dialogs->onMessage = [&] { shownAtClosing = seen && seen->isVisible(); };
        watch.start();
        office->dialogs.fileNext(c.path);
        office->dialogs.answerNext(DialogAnswer::Yes);
        entry(*main, c.entry)->trigger();
        watch.stop();
        dialogs->onMessage = {};

        EXPECT_EQ(office->dialogs.lastText(), c.closing);
        ASSERT_FALSE(labels.isEmpty()) << "the progress came up";
        EXPECT_TRUE(labels.first().startsWith(QStringLiteral("사무실 자료를 복사하는중입니다.")))
            << labels.first().toStdString();
        EXPECT_EQ(cancelText, QStringLiteral("취소"));
        EXPECT_FALSE(shownAtClosing) << "the progress is gone when the closing box comes";
        EXPECT_EQ(QDir(c.path).exists(), c.path == folder);
    }
    EXPECT_TRUE(session->listingOpen()) << "a cancelled restore leaves the office database open";
}
