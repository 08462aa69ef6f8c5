// The office's day, lived through the real frame window: two days and an offline one at one
// desk, and a second office looking at what the first one shared. The servers are the real
// ones on loopback (MariaDB, through a relay that can be cut; FTP and HTTP for the pictures; the
// SMS gateway). Each step is what a broker does; the unit tests check the details.

#include "core/pictures/ListingImageName.h"
#include "core/session/Session.h"
#include "core/session/StoreSetup.h"
#include "ui/contracts/frmGaeyakMk.h"
#include "ui/listings/ListWindowHost.h"
#include "ui/listings/ListingActionRunner.h"
#include "ui/people/frmDaily.h"
#include "ui/people/frmDailyIn.h"
#include "ui/people/frmPaper.h"
#include "ui/people/frmPaperin.h"
#include "ui/people/frmSms.h"
#include "ui/register/frmInsert.h"
#include "ui/session/frmLogin.h"
#include "ui/shell/MainMenus.h"
#include "ui/shell/MainStatusBar.h"
#include "ui/shell/ProgramFlow.h"
#include "ui/shell/frmMain.h"

#include "GridDriver.h"
#include "PdfText.h"
#include "RecordingOutlets.h"
#include "ScriptedDialogs.h"
#include "SecuredScratch.h"
#include "TcpRelay.h"
#include "TestCertificates.h"
#include "TestFtpServer.h"
#include "TestServices.h"
#include "WidgetControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTreeWidget>
#include <atomic>
#include <thread>

using namespace teran;
using namespace teran::test;

namespace {

// One start of the program at one desk: the session, the login window, the frame window.
class Desk {
public:
    Desk(const TeranConfig& config, const Clock& clock, ScriptedDialogs& dialogs, const QString& userFolder)
        : m_dialogs(dialogs)
        , m_session(config, clock, dialogs)
        , m_flow(m_session,
                 {QString(), QString(), QString(), false, userFolder + QStringLiteral("/Login.ini"),
                  userFolder + QStringLiteral("/teran.lock")}) {
        m_session.setProgramEnd([this](int code) { ended << code; });
        m_session.setOutlets(&outlets);
    }

    // Types the login as the user does and presses the login button.
    bool logIn(const QString& id, const QString& password) {
        if (!m_flow.start())
            return false;
        frmLogin* login = m_flow.loginWindow();
        control<QLineEdit>(*login, "txtID")->setText(id);
        control<QLineEdit>(*login, "txtPWD")->setText(password);
        control<QPushButton>(*login, "Image1")->click();
        return m_flow.mainWindow() != nullptr;
    }

    frmMain& main() { return *m_flow.mainWindow(); }
    Session& session() { return m_session; }
    QString connection() { return control<QLabel>(main(), "lblConnection")->text(); }
    void trigger(const QString& entry) {
        QAction* action = main().findChild<QAction*>(entry);
        ASSERT_NE(action, nullptr) << entry.toStdString();
        action->trigger();
    }
    // 종료 from the file menu, answered yes: the program ends and closes its stores.
    void close() {
        m_dialogs.answerNext(DialogAnswer::Yes);
        trigger(QStringLiteral("exit"));
        EXPECT_EQ(ended, QList<int>{0});
    }

    // The grid of the active list window and the row of a listing number in it.
    QTableView* grid() {
        ListWindow* window = main().listWindows().active();
        return window ? window->findChild<QTableView*>() : nullptr;
    }
    int rowOf(int number) {
        return int(columnTexts(grid(), QStringLiteral("번호")).indexOf(QString::number(number)));
    }
    void tick(int number) {
        const int row = rowOf(number);
        ASSERT_GE(row, 0) << number;
        QAbstractItemModel* model = grid()->model();
        for (int column = 0; column < model->columnCount(); ++column)
            if (model->flags(model->index(row, column)) & Qt::ItemIsUserCheckable)
                model->setData(model->index(row, column), Qt::Checked, Qt::CheckStateRole);
    }

    QList<int> ended;

private:
    ScriptedDialogs& m_dialogs;
    Session m_session;
    ProgramFlow m_flow;

public:
    // The windows, pages and web pages the program sends out; gone first, before the windows'
    // session.
    RecordingOutlets outlets;
};

class OfficeDayTest : public testing::Test {
protected:
    void SetUp() override {
        ftp = ftpService();
        TERAN_REQUIRE_SERVICE(ftp.has_value(), "the loopback FTP server");
        sms = smsService();
        TERAN_REQUIRE_SERVICE(sms.has_value(), "the loopback SMS gateway");
        TERAN_REQUIRE_SERVICE(!probeServiceUrl().isEmpty(), "the loopback HTTP server");
        // The vendor's server as `teran-admin init-server` makes it: an account per member.
        m_server = SecuredScratchServer::make({ftp->password, int(sms->port)});
        TERAN_REQUIRE_SERVICE(m_server != nullptr, "MariaDB");
        relay = std::make_unique<TcpRelay>(m_server->adminUrl().host, quint16(m_server->adminUrl().port));
        ASSERT_TRUE(relay->open());

        // The letter ends the ids, so that no number after them makes another test's picture.
        officeA = uniqueAccountName(QStringLiteral("daya")) + QStringLiteral("z");
        officeB = uniqueAccountName(QStringLiteral("dayb")) + QStringLiteral("z");
        m_server->addOffice(
            {officeA, QStringLiteral("pw-a"), QStringLiteral("김하루"), QStringLiteral("하루공인중개사")});
        m_server->addOffice(
            {officeB, QStringLiteral("pw-b"), QStringLiteral("박이웃"), QStringLiteral("이웃부동산")});
        server().execute(QStringLiteral("UPDATE members SET homtel=?, hantel=? WHERE memID IN (?,?)"),
                         {QStringLiteral("02-555-0100"), QStringLiteral("010-5555-0100"), officeA, officeB});
        server().execute(
            QStringLiteral("INSERT INTO mem_cash (companyID, `ID`, `Type`, `Money`) VALUES (?,?,?,?)"),
            {officeA, officeA, QStringLiteral("충전"), 3000});

        // The offices' teran.ini name the server without an account: each desk connects as the
        // member who logs in.
        StoreUrl throughRelay = m_server->adminUrl();
        throughRelay.user.clear();
        throughRelay.password.clear();
        StoreUrl direct = throughRelay;
        throughRelay.port = relay->port();
        configA = officeConfig(QStringLiteral("a"), throughRelay);
        configB = officeConfig(QStringLiteral("b"), direct);
        // Office A's account at the loopback gateway, which charges its cash there as the vendor's
        // gateway does.
        const SmsAccount smsA = sms->accountFor(officeA, 3000);
        configA.smsUser = smsA.user;
        configA.smsPassword = smsA.password;
    }

    void TearDown() override {
        if (!ftp)
            return;
        QDir remote(QDir(ftp->root).filePath(QStringLiteral("docs/files")));
        for (const QString& office : {officeA, officeB})
            QDir(remote.filePath(office)).removeRecursively();
    }

    // The tables, as the vendor sees them.
    SqlStore& server() { return m_server->data(); }

    TeranConfig officeConfig(const QString& folder, const StoreUrl& serverUrl) {
        const QString data = dir.filePath(folder + QStringLiteral("/data"));
        initDataFolder(DataFolder(data));
        QDir().mkpath(dir.filePath(folder + QStringLiteral("/user")));
        TeranConfig config = TeranConfig::demoDefaults(data);
        config.serverUrl = serverUrl.toString();
        config.probeUrl = probeServiceUrl();
        config.webBaseUrl = webServiceUrl();
        config.ftpHost = ftp->host;
        config.ftpPort = ftp->port;
        config.ftpUser = ftp->user;
        config.serverCa = servicesCaFile(); // the picture server's certificate
        config.smsHost = QStringLiteral("127.0.0.1");
        if (config.serverCa.isEmpty())
            config.serverCa = sms->caFile;
        return config;
    }

    QString userFolder(const QString& folder) { return dir.filePath(folder + QStringLiteral("/user")); }

    QString picture(const QString& name, Qt::GlobalColor colour) {
        const QString path = dir.filePath(name);
        QImage image(80, 60, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    // The registration window from the frame, kept after it closes so that the test reads it.
    static QPointer<frmInsert> openRegistration(Desk& desk, RegistrationRequest request = {}) {
        QPointer<frmInsert> window = desk.main().openRegistration(request);
        if (window)
            window->setAttribute(Qt::WA_DeleteOnClose, false);
        return window;
    }
    // 저장 with the answer to its question; the number the new listing was given.
    int saveNew(Desk& desk, frmInsert& window, DialogAnswer answer) {
        dialogs.answerNext(answer);
        control<QPushButton>(window, "cmdSave")->click();
        return desk.session()
            .listingStore()
            .scalar(QStringLiteral("SELECT MAX(table_idx) FROM maemul"))
            .toInt();
    }

    // What a broker types into the registration window, box by box.
    static void fill(frmInsert& window, const QList<std::pair<const char*, QString>>& boxes) {
        for (const auto& [name, text] : boxes) {
            QWidget* box = window.findChild<QWidget*>(QLatin1String(name));
            ASSERT_NE(box, nullptr) << name;
            if (auto* combo = qobject_cast<QComboBox*>(box)) {
                combo->isEditable() ? combo->setEditText(text) : combo->setCurrentText(text);
            } else if (auto* line = qobject_cast<QLineEdit*>(box)) {
                line->setFocus();
                line->setText(text);
            }
        }
    }
    static void chooseType(frmInsert& window, const QString& tb) {
        auto* type = control<QComboBox>(window, "cboTb");
        type->setCurrentIndex(type->findData(tb));
    }
    void attachPictures(frmInsert& window, const QString& stem) {
        dialogs.fileNext(picture(stem + QStringLiteral("-front.jpg"), Qt::blue));
        control<QPushButton>(window, "cmdImgname1")->click();
        dialogs.fileNext(picture(stem + QStringLiteral("-room.jpg"), Qt::green));
        control<QPushButton>(window, "cmdImgname2")->click();
    }
    static void share(frmInsert& window) {
        control<QCheckBox>(window, "chkInternet")->click();
        control<QRadioButton>(window, "optChu0")->click();
    }

    QVariant localOf(Desk& desk, int number, const char* column) {
        return desk.session().listingStore().scalar(
            QStringLiteral("SELECT `%1` FROM maemul WHERE table_idx=?").arg(QLatin1String(column)), {number});
    }
    QVariant serverOf(const QString& office, int number, const char* column) {
        return server().scalar(
            QStringLiteral("SELECT `%1` FROM maemul WHERE id=? AND sub_idx=?").arg(QLatin1String(column)),
            {office, number});
    }
    bool sentSms(const QString& number) {
        QFile sent(sms->sentFile);
        return sent.open(QIODevice::ReadOnly) && QString::fromUtf8(sent.readAll()).contains(number);
    }

    QTemporaryDir dir;
    std::unique_ptr<SecuredScratchServer> m_server;
    std::unique_ptr<TcpRelay> relay;
    std::optional<FtpService> ftp;
    std::optional<SmsService> sms;
    QString officeA, officeB;
    TeranConfig configA, configB;
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(9, 0))};
    ScriptedDialogs dialogs;  // office A's desk
    ScriptedDialogs dialogsB; // office B's desk
};

} // namespace

TEST_F(OfficeDayTest, TwoDaysTwoOfficesAndAnOfflineMorning) {
    int apartment = 0, villa = 0;

    // ---- Day 1: the first login, listings registered and shared, printed, a contract, an SMS.
    {
        Desk desk(configA, clock, dialogs, userFolder(QStringLiteral("a")));
        ASSERT_TRUE(desk.logIn(officeA, QStringLiteral("pw-a")));
        EXPECT_TRUE(desk.session().state().isOnline());
        EXPECT_TRUE(desk.session().serverTakesMembers()) << "the desk connects as the office";
        EXPECT_TRUE(desk.connection().startsWith(QStringLiteral("온라인")));

        QPointer<frmInsert> registration = openRegistration(desk);
        ASSERT_TRUE(registration);
        chooseType(*registration, QStringLiteral("apt"));
        fill(*registration, {{"addr1", "서울"},
                             {"addr2", "강남구"},
                             {"addr3", "역삼동"},
                             {"addr4", "123-4"},
                             {"addr5", "1203호"},
                             {"cboName", "래미안"},
                             {"pyung", "34"},
                             {"pyung_use", "25"},
                             {"money_m", "85,000"},
                             {"money_g", "25"},
                             {"floor", "12"},
                             {"floor_max", "25"},
                             {"makedate", "2015"},
                             {"direction", "남향"},
                             {"room", "3"},
                             {"bathroom", "2"},
                             {"ipjuday", "즉시"},
                             {"uname", "홍길동"},
                             {"uhp", "010-3333-4444"}});
        attachPictures(*registration, officeA + QStringLiteral("-apt"));
        share(*registration);
        apartment =
            saveNew(desk, *registration, DialogAnswer::Yes); // 계속등록: the window stays for the villa
        ASSERT_GT(apartment, 0);
        EXPECT_EQ(localOf(desk, apartment, "state").toInt(), 1)
            << "an apartment is shared: " << dialogs.lastText().toStdString();
        EXPECT_EQ(serverOf(officeA, apartment, "cboname").toString(), QStringLiteral("래미안"));

        chooseType(*registration, QStringLiteral("villa"));
        fill(*registration, {{"addr1", "서울"},
                             {"addr2", "강남구"},
                             {"addr3", "논현동"},
                             {"addr4", "55-1"},
                             {"cboName", "해피빌"},
                             {"pyung", "20"},
                             {"money_jb", "30,000"},
                             {"money_g", "5"},
                             {"floor", "3"},
                             {"floor_max", "5"},
                             {"makedate", "2010"},
                             {"direction", "동향"},
                             {"room", "2"},
                             {"bathroom", "1"},
                             {"parking", "1"},
                             {"ipjuday", "협의"},
                             {"uname", "이몽룡"},
                             {"uhp", "010-7777-8888"}});
        control<QComboBox>(*registration, "maemultype")->setCurrentText(QStringLiteral("전세"));
        attachPictures(*registration, officeA + QStringLiteral("-villa"));
        share(*registration);
        villa = saveNew(desk, *registration, DialogAnswer::No); // no more: the window closes
        ASSERT_GT(villa, apartment);
        EXPECT_EQ(localOf(desk, villa, "state").toInt(), 1) << dialogs.lastText().toStdString();
        const QString villaPicture = localOf(desk, villa, "imgname2").toString();
        EXPECT_TRUE(QFile::exists(QDir(ftp->root).filePath(QStringLiteral("docs/files/") +
                                                           pictureFolderOf(villaPicture) + villaPicture)))
            << "the picture reached the picture server: " << villaPicture.toStdString();
        EXPECT_FALSE(registration->isVisible());
        delete registration;

        // The apartment is edited, printed, and a contract drafted from it and printed.
        QPointer<frmInsert> edit = openRegistration(desk, {EditMode::Edit, apartment});
        ASSERT_TRUE(edit);
        fill(*edit, {{"money_m", "87,000"}});
        control<QPushButton>(*edit, "cmdSave")->click(); // 수정완료: stay (Cancel)
        EXPECT_EQ(localOf(desk, apartment, "money_m").toLongLong(), 87000);
        EXPECT_EQ(serverOf(officeA, apartment, "money_m").toLongLong(), 87000) << "the shared copy follows";
        control<QPushButton>(*edit, "cmdPrintM")->click();
        ASSERT_EQ(desk.outlets.pages.size(), 1u);
        const QString sheet = renderPdf(desk.outlets.pages.back()).text.simplified();
        EXPECT_TRUE(sheet.contains(QStringLiteral("래미안"))) << sheet.toStdString();
        EXPECT_TRUE(sheet.contains(QStringLiteral("賣渡人")));
        control<QPushButton>(*edit, "cmdGaeyak")->click();
        auto* contract = desk.outlets.last<frmGaeyakMk>();
        ASSERT_NE(contract, nullptr);
        EXPECT_EQ(control<QLineEdit>(*contract, "addressM")->text(),
                  QStringLiteral("서울 강남구 역삼동 123-4"));
        control<QLineEdit>(*contract, "Mname3")->setText(QStringLiteral("김매수"));
        // The deposit typed in 만원 and left with Tab is stored and printed as typed.
        auto* deposit = control<QLineEdit>(*contract, "Mmoney_2");
        deposit->setFocus();
        QTest::keyClicks(deposit, QStringLiteral("8700"));
        QTest::keyClick(deposit, Qt::Key_Tab);
        EXPECT_EQ(deposit->text(), QStringLiteral("8,700"));
        ASSERT_TRUE(contract->cmdGyakSave_Click());
        const QVariantList contractRow{contract->contract().number};
        SqlStore& office = desk.session().listingStore();
        EXPECT_EQ(
            office.scalar(QStringLiteral("SELECT money3 FROM mem_moo_con WHERE table_idx=?"), contractRow)
                .toLongLong(),
            8700);
        EXPECT_EQ(
            office.scalar(QStringLiteral("SELECT money6 FROM mem_moo_con WHERE table_idx=?"), contractRow)
                .toLongLong(),
            78300);
        contract->cmdGyakPrint_Click();
        ASSERT_EQ(desk.outlets.pages.size(), 2u);
        const QString contractText = renderPdf(desk.outlets.pages.back()).text.simplified();
        EXPECT_TRUE(contractText.contains(QStringLiteral("₩ 870,000,000"))) << contractText.toStdString();
        EXPECT_TRUE(contractText.contains(QStringLiteral("금 87,000,000원정을 계약시에")));
        EXPECT_TRUE(contractText.contains(QStringLiteral("금 783,000,000원정은")));
        EXPECT_TRUE(contractText.contains(QStringLiteral("김매수")));
        EXPECT_TRUE(edit->close()) << "nothing typed since the save";
        delete edit;

        // An SMS to the owners of the ticked listings, through the gateway.
        desk.trigger(QStringLiteral("img_over_all"));
        ASSERT_NE(desk.grid(), nullptr);
        desk.tick(apartment);
        bool sent = false;
        desk.outlets.onWindow = [&sent](QObject* window) {
            auto* sms = qobject_cast<frmSms*>(window);
            ASSERT_NE(sms, nullptr);
            sms->findChild<QPlainTextEdit*>(QStringLiteral("sendMsg"))
                ->setPlainText(QStringLiteral("내일 방문 예정입니다"));
            sent = sms->sendlbl_Click();
        };
        dialogs.answerNext(DialogAnswer::Yes); // send to the owners
        desk.trigger(QStringLiteral("smsgo"));
        EXPECT_TRUE(sent) << dialogs.lastText().toStdString();
        EXPECT_TRUE(sentSms(QStringLiteral("01033334444")));
        EXPECT_EQ(sms->cashOf(officeA), 3000 - kSmsPriceWon) << "the gateway charged the office";
        desk.outlets.onWindow = nullptr;

        // An appointment for tomorrow.
        frmDaily* schedule = desk.main().openSchedule();
        ASSERT_NE(schedule, nullptr);
        schedule->cmdS_Click();
        auto* appointment = desk.outlets.last<frmDailyIn>();
        ASSERT_NE(appointment, nullptr);
        appointment->findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("김매수"));
        ASSERT_TRUE(appointment->cmdSaveS_Click());
        desk.close();
    }

    // ---- Day 2, same desk and folder: still online; publish, withdraw, refresh; a neighbour asks.
    clock.advanceDays(1);
    {
        Desk desk(configA, clock, dialogs, userFolder(QStringLiteral("a")));
        ASSERT_TRUE(desk.logIn(officeA, QStringLiteral("pw-a")));
        EXPECT_TRUE(desk.session().state().isOnline()) << "the second login is online too";
        EXPECT_TRUE(desk.connection().startsWith(QStringLiteral("온라인")));
        EXPECT_EQ(desk.session()
                      .listingStore()
                      .scalar(QStringLiteral("SELECT COUNT(*) FROM mem_daily WHERE name=?"),
                              {QStringLiteral("김매수")})
                      .toInt(),
                  1);

        desk.trigger(QStringLiteral("img_over_all"));
        desk.tick(villa);
        dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_TRUE(desk.main().actions().unpublish(UnpublishScope::Internet).ran);
        EXPECT_FALSE(serverOf(officeA, villa, "state").isValid()) << "withdrawn from the server";
        desk.tick(villa);
        dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_TRUE(desk.main().actions().publish(PublicationState::Internet).ran);
        EXPECT_EQ(serverOf(officeA, villa, "state").toInt(), 1) << dialogs.lastText().toStdString();
        desk.tick(apartment);
        dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_TRUE(desk.main().actions().refreshSelected().ran);
        EXPECT_EQ(SqlStore::toDateTime(serverOf(officeA, apartment, "showday")).date(), clock.today());

        // The neighbouring office finds the apartment with its pictures and asks about it.
        {
            Desk neighbour(configB, clock, dialogsB, userFolder(QStringLiteral("b")));
            ASSERT_TRUE(neighbour.logIn(officeB, QStringLiteral("pw-b")));
            EXPECT_TRUE(neighbour.session().state().isOnline());
            // What the neighbour's own connection may read of the first office: its public
            // columns, nothing of its inquiries or cash.
            SqlStore& seenByB = neighbour.session().serverStore();
            EXPECT_EQ(seenByB.scalar(QStringLiteral("SELECT shopname FROM members WHERE memID=?"), {officeA})
                          .toString(),
                      QStringLiteral("하루공인중개사"));
            EXPECT_EQ(
                seenByB.scalar(QStringLiteral("SELECT COUNT(*) FROM mem_cash WHERE companyID=?"), {officeA})
                    .toInt(),
                0);
            neighbour.trigger(QStringLiteral("listKindShared"));
            neighbour.trigger(MainMenus::typeEntryName(QStringLiteral("apt"), QStringLiteral("M")));
            ASSERT_NE(neighbour.grid(), nullptr);
            const QStringList names = columnTexts(neighbour.grid(), QStringLiteral("아파트명"));
            const int row = int(names.indexOf(QStringLiteral("래미안")));
            ASSERT_GE(row, 0) << names.join(QLatin1Char(',')).toStdString();
            clickRow(neighbour.grid(), row);
            const QString frontPicture = localOf(desk, apartment, "imgname1").toString();
            EXPECT_TRUE(QFile::exists(DataFolder(configB.dataPath).tmpImg() + frontPicture))
                << "the picture came over the web: " << frontPicture.toStdString();

            neighbour.trigger(QStringLiteral("question"));
            auto* question = neighbour.outlets.last<frmPaperin>();
            ASSERT_NE(question, nullptr) << dialogsB.lastText().toStdString();
            question->findChild<QPlainTextEdit*>(QStringLiteral("content"))
                ->setPlainText(QStringLiteral("공동중개 가능할까요?"));
            ASSERT_TRUE(question->cmdSave_Click());
            neighbour.close();
        }
        frmPaper* box = desk.main().openInquiryBox();
        ASSERT_NE(box, nullptr);
        auto* messages = box->findChild<QTreeWidget*>(QStringLiteral("lvPaper"));
        ASSERT_EQ(messages->topLevelItemCount(), 1);
        bool found = false;
        for (int column = 0; column < messages->columnCount(); ++column)
            found = found || messages->topLevelItem(0)->text(column).contains(QStringLiteral("공동중개"));
        EXPECT_TRUE(found);
        EXPECT_EQ(server()
                      .scalar(QStringLiteral("SELECT fromid FROM mem_paper WHERE toid=?"), {officeA})
                      .toString(),
                  officeB)
            << "the question carries its writer";

        // The server goes away while the desk works, and comes back: the next action uses it at
        // once, without waiting for the status bar's check.
        relay->close();
        desk.tick(apartment);
        dialogs.answerNext(DialogAnswer::Yes);
        desk.main().actions().refreshSelected();
        EXPECT_FALSE(desk.session().serverOpen()) << "the loss is noticed";
        ASSERT_TRUE(relay->open());
        desk.tick(villa);
        dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_TRUE(desk.main().actions().unpublish(UnpublishScope::Internet).ran);
        EXPECT_FALSE(serverOf(officeA, villa, "state").isValid()) << dialogs.lastText().toStdString();

        // An hour on a server that accepts and never answers (a broken line): the window goes on,
        // the status bar says so, and a withdrawal waits in the outbox until the server answers.
        relay->stall(true);
        desk.tick(apartment);
        dialogs.answerNext(DialogAnswer::Yes);
        QElapsedTimer held;
        held.start();
        EXPECT_TRUE(desk.main().actions().unpublish(UnpublishScope::Internet).ran);
        EXPECT_LT(held.elapsed(), 3000) << "the window waited on the server";
        QTRY_VERIFY_WITH_TIMEOUT(desk.connection().startsWith(QStringLiteral("서버 응답 대기")), 5000);
        EXPECT_TRUE(serverOf(officeA, apartment, "state").isValid()) << "withdrawn while nothing answered";
        relay->stall(false);
        QTRY_VERIFY_WITH_TIMEOUT(!serverOf(officeA, apartment, "state").isValid(), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(desk.connection().startsWith(QStringLiteral("온라인")), 5000);
        desk.tick(apartment);
        dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_TRUE(desk.main().actions().publish(PublicationState::Internet).ran);
        EXPECT_EQ(serverOf(officeA, apartment, "state").toInt(), 1) << dialogs.lastText().toStdString();
        desk.close();
    }

    // ---- An offline morning: the server is away; the day goes on and comes back online.
    clock.advanceDays(1);
    relay->close();
    {
        Desk desk(configA, clock, dialogs, userFolder(QStringLiteral("a")));
        ASSERT_TRUE(desk.logIn(officeA, QStringLiteral("pw-a")));
        EXPECT_FALSE(desk.session().state().isOnline());
        EXPECT_TRUE(desk.connection().startsWith(QStringLiteral("오프라인")));
        EXPECT_TRUE(desk.ended.isEmpty()) << "no server is no reason to end the day";

        QPointer<frmInsert> edit = openRegistration(desk, {EditMode::Edit, villa});
        ASSERT_TRUE(edit);
        auto* shareBox = control<QCheckBox>(*edit, "chkInternet");
        EXPECT_FALSE(shareBox->isEnabled());
        EXPECT_FALSE(shareBox->toolTip().isEmpty()) << "the box says why";
        EXPECT_TRUE(
            control<QLabel>(*edit, "lblie")->text().startsWith(QStringLiteral("오프라인 상태입니다.")));
        edit->close();
        delete edit;
        desk.trigger(QStringLiteral("img_over_all"));
        desk.tick(apartment);
        desk.trigger(QStringLiteral("nowdate"));
        EXPECT_TRUE(dialogs.lastText().startsWith(QStringLiteral("오프라인으로 로그인하셨습니다.")));

        auto* reconnect = control<QPushButton>(desk.main(), "cmdReconnect");
        EXPECT_FALSE(reconnect->isVisible());
        ASSERT_TRUE(relay->open());
        QTRY_VERIFY2_WITH_TIMEOUT(reconnect->isVisible(), "the server answers again: 다시 연결 is offered",
                                  8000);
        reconnect->click();
        EXPECT_TRUE(desk.session().state().isOnline());
        EXPECT_TRUE(desk.connection().startsWith(QStringLiteral("온라인")));
        desk.tick(apartment);
        dialogs.answerNext(DialogAnswer::Yes);
        EXPECT_TRUE(desk.main().actions().refreshSelected().ran);
        desk.close();
    }
}

// One desk publishes while the vendor's server has stopped answering; the office's other desk
// saves into the same office database all the while.
TEST_F(OfficeDayTest, AStalledServerDoesNotHoldTheOtherDesks) {
    Desk desk(configA, clock, dialogs, userFolder(QStringLiteral("a")));
    ASSERT_TRUE(desk.logIn(officeA, QStringLiteral("pw-a")));
    QPointer<frmInsert> registration = openRegistration(desk);
    ASSERT_TRUE(registration);
    chooseType(*registration, QStringLiteral("apt"));
    fill(*registration, {{"addr1", "서울"},
                         {"addr2", "강남구"},
                         {"addr3", "역삼동"},
                         {"addr4", "77-1"},
                         {"cboName", "자이"},
                         {"pyung", "30"},
                         {"money_m", "90,000"},
                         {"uname", "최매도"},
                         {"uhp", "010-2222-1111"}});
    const int number = saveNew(desk, *registration, DialogAnswer::No);
    delete registration;
    ASSERT_GT(number, 0);
    desk.trigger(QStringLiteral("img_over_all"));
    desk.tick(number);

    // The other desk: its own connection to the office's file, saving 200 times.
    std::atomic<int> saved{0};
    QString failure;
    std::thread otherDesk([&] {
        QThread::msleep(300); // the publish is waiting on the server by then
        {
            SqlStore store(QStringLiteral("other-desk"));
            store.setLimits({5, 30, 3000});
            try {
                store.open(StoreUrl::sqliteFile(DataFolder(configA.dataPath).listingStoreFile()));
                for (int i = 0; i < 200; ++i) {
                    store.execute(QStringLiteral("UPDATE maemul SET mbigo=? WHERE table_idx=?"),
                                  {QStringLiteral("메모 %1").arg(i), number});
                    ++saved;
                }
            } catch (const StoreError& error) {
                failure = error.description();
            }
        }
        relay->stall(false);
    });
    relay->stall(true);
    dialogs.answerNext(DialogAnswer::Yes);
    const ActionOutcome outcome = desk.main().actions().publish(PublicationState::Internet);
    otherDesk.join();

    EXPECT_EQ(saved.load(), 200) << failure.toStdString();
    EXPECT_TRUE(outcome.ran);
    EXPECT_EQ(localOf(desk, number, "state").toInt(), 1) << dialogs.lastText().toStdString();
    EXPECT_EQ(serverOf(officeA, number, "state").toInt(), 1);
    EXPECT_EQ(localOf(desk, number, "mbigo").toString(), QStringLiteral("메모 199"));
    desk.close();
}

// The server stops while the desk works: five listings published meanwhile wait in the outbox,
// the status bar says so, and they reach the server by themselves, in order, once it answers.
TEST_F(OfficeDayTest, PublicationsOfAnOfflineHourReachTheServerByThemselves) {
    Desk desk(configA, clock, dialogs, userFolder(QStringLiteral("a")));
    ASSERT_TRUE(desk.logIn(officeA, QStringLiteral("pw-a")));
    QList<int> numbers;
    for (int i = 0; i < 5; ++i)
        numbers << insertLocal(desk.session().listingStore(), {{"id", officeA},
                                                               {"tb", "apt"},
                                                               {"ty", "M"},
                                                               {"maemultype", "매매"},
                                                               {"addr1", "서울"},
                                                               {"addr2", "마포구"},
                                                               {"addr3", "공덕동"},
                                                               {"money_m", 60000 + i},
                                                               {"state", 0},
                                                               {"writeday", clock.now()},
                                                               {"showday", clock.now()}});

    relay->close();
    for (int number : numbers) {
        dialogs.answerNext(DialogAnswer::Yes);
        const ActionOutcome outcome =
            ListingActions(desk.session())
                .publish({ListingPick{number, QString()}}, PublicationState::Internet);
        EXPECT_EQ(outcome.queued, 1) << dialogs.lastText().toStdString();
        EXPECT_EQ(localOf(desk, number, "state").toInt(), 1);
    }
    auto* waiting = control<QPushButton>(desk.main(), "cmdOutbox");
    QTRY_COMPARE_WITH_TIMEOUT(waiting->text(), QStringLiteral("전송대기 5건"), 15000);
    EXPECT_TRUE(waiting->isVisible());
    EXPECT_FALSE(serverOf(officeA, numbers.first(), "state").isValid());

    ASSERT_TRUE(relay->open());
    QTRY_VERIFY_WITH_TIMEOUT(!waiting->isVisible(), 30000);
    QList<int> serverNumbers;
    for (int number : numbers) {
        EXPECT_EQ(serverOf(officeA, number, "state").toInt(), 1) << number;
        serverNumbers << serverOf(officeA, number, "table_idx").toInt();
    }
    QList<int> sorted = serverNumbers;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(serverNumbers, sorted) << "sent in the order they were made";
    desk.close();
}

// What anyone on the line between a desk and the vendor's servers reads of a day's work. The
// desk logs in, registers an apartment with two pictures, shares it and sends its owner an SMS;
// every connection goes through a relay that records it: MariaDB, the picture server's commands
// and its data channels (the picture server on an address of its own, so that relays on the
// desk's side stand where its data channels are opened), and the SMS gateway.
TEST_F(OfficeDayTest, NothingOfTheOfficeCrossesAnyWireReadably) {
    const QString tls = qEnvironmentVariable("TERAN_TEST_TLS_DIR");
    ASSERT_FALSE(tls.isEmpty()) << "services.env names no certificates";
    const QString pictureHost = QStringLiteral("127.0.0.2");
    std::vector<std::unique_ptr<TcpRelay>> dataRelays;
    QString passive;
    for (int attempt = 0; attempt < 10 && dataRelays.empty(); ++attempt) {
        const int first = freeLoopbackPort();
        for (int port = first; port < first + 3; ++port) {
            dataRelays.push_back(std::make_unique<TcpRelay>(pictureHost, quint16(port), quint16(port)));
            if (!dataRelays.back()->open()) {
                dataRelays.clear();
                break;
            }
        }
        passive = QStringLiteral("%1-%2").arg(first).arg(first + 2);
    }
    ASSERT_FALSE(dataRelays.empty()) << "no three free ports in a row for the data channels";
    TestFtpServer pictures;
    TestFtpServer::Options options;
    options.host = pictureHost;
    options.passivePorts = passive;
    options.certFile = tls + QStringLiteral("/server.pem");
    options.keyFile = tls + QStringLiteral("/server.key");
    options.mysqlPort = m_server->adminUrl().port;
    options.mysqlCa = servicesCaFile();
    options.vendorUser = ftp->user;
    options.vendorPassword = ftp->password;
    ASSERT_TRUE(pictures.start(options)) << pictures.output().toStdString();
    TcpRelay ftpRelay(pictureHost, quint16(pictures.port()));
    TcpRelay smsRelay(QStringLiteral("127.0.0.1"), sms->port);
    ASSERT_TRUE(ftpRelay.open() && smsRelay.open());
    configA.ftpHost = QStringLiteral("127.0.0.1");
    configA.ftpPort = ftpRelay.port();
    // The desks find the gateway's port on the server.
    server().execute(QStringLiteral("UPDATE mem_msg SET content=? WHERE table_idx=3"),
                     {QString::number(smsRelay.port())});

    // A staff member whose resident number the main account reads.
    const QString staffJumin = QStringLiteral("2734519");
    server().execute(QStringLiteral("INSERT INTO members(companyID, memID, memType, memPWD, name, jumin1, "
                                    "jumin2) VALUES(?, ?, 'B', '', '직원', '900101', ?)"),
                     {officeA, officeA + QStringLiteral("s"), staffJumin});
    const QString ownerPhone = QStringLiteral("010-4826-7391");
    {
        Desk desk(configA, clock, dialogs, userFolder(QStringLiteral("a")));
        ASSERT_TRUE(desk.logIn(officeA, QStringLiteral("pw-a")));
        ASSERT_TRUE(desk.session().state().isOnline());
        EXPECT_EQ(desk.session()
                      .serverStore()
                      .scalar(QStringLiteral("SELECT jumin2 FROM members WHERE memID=?"),
                              {officeA + QStringLiteral("s")})
                      .toString(),
                  staffJumin);

        QPointer<frmInsert> registration = openRegistration(desk);
        ASSERT_TRUE(registration);
        chooseType(*registration, QStringLiteral("apt"));
        fill(*registration, {{"addr1", "서울"},
                             {"addr2", "강남구"},
                             {"addr3", "역삼동"},
                             {"addr4", "77-1"},
                             {"addr5", "701호"},
                             {"cboName", "자이"},
                             {"pyung", "30"},
                             {"pyung_use", "24"},
                             {"money_m", "70,000"},
                             {"money_g", "25"},
                             {"floor", "7"},
                             {"floor_max", "20"},
                             {"makedate", "2012"},
                             {"direction", "남향"},
                             {"room", "3"},
                             {"bathroom", "2"},
                             {"ipjuday", "즉시"},
                             {"uname", "오소유"},
                             {"uhp", ownerPhone}});
        attachPictures(*registration, officeA + QStringLiteral("-wire"));
        share(*registration);
        const int apartment = saveNew(desk, *registration, DialogAnswer::No);
        ASSERT_GT(apartment, 0);
        EXPECT_EQ(serverOf(officeA, apartment, "state").toInt(), 1) << dialogs.lastText().toStdString();
        for (const char* column : {"imgname1", "imgname2"}) {
            const QString name = localOf(desk, apartment, column).toString();
            EXPECT_TRUE(pictures.holds(QStringLiteral("docs/files/") + pictureFolderOf(name) + name))
                << name.toStdString()
                << " did not reach the picture server: " << pictures.output().toStdString();
        }
        delete registration;

        desk.trigger(QStringLiteral("img_over_all"));
        desk.tick(apartment);
        bool sent = false;
        desk.outlets.onWindow = [&sent](QObject* window) {
            auto* sms = qobject_cast<frmSms*>(window);
            ASSERT_NE(sms, nullptr);
            sms->findChild<QPlainTextEdit*>(QStringLiteral("sendMsg"))
                ->setPlainText(QStringLiteral("확인 부탁드립니다"));
            sent = sms->sendlbl_Click();
        };
        dialogs.answerNext(DialogAnswer::Yes);
        desk.trigger(QStringLiteral("smsgo"));
        EXPECT_TRUE(sent) << dialogs.lastText().toStdString();
        EXPECT_TRUE(sentSms(QString(ownerPhone).remove(QLatin1Char('-'))));
        desk.outlets.onWindow = nullptr;
        desk.close();
    }

    QByteArray data;
    for (const auto& dataRelay : dataRelays)
        data += dataRelay->recorded();
    QFile front(dir.filePath(officeA + QStringLiteral("-wire-front.jpg")));
    ASSERT_TRUE(front.open(QIODevice::ReadOnly));
    const QByteArray frontBytes = front.readAll();
    EXPECT_GT(data.size(), frontBytes.size()) << "the pictures went around the relays";
    const QByteArray pictureBytes = frontBytes.mid(200, 64);
    const struct {
        const char* wire;
        QByteArray bytes;
    } wires[] = {{"MariaDB", relay->recorded()},
                 {"FTP commands", ftpRelay.recorded()},
                 {"FTP data", data},
                 {"SMS", smsRelay.recorded()}};
    const QStringList secrets{QStringLiteral("pw-a"),
                              staffJumin,
                              ownerPhone,
                              QString(ownerPhone).remove(QLatin1Char('-')),
                              configA.smsPassword,
                              QStringLiteral("오소유")};
    for (const auto& wire : wires) {
        SCOPED_TRACE(wire.wire);
        EXPECT_GT(wire.bytes.size(), 200) << "the relay recorded nothing of it";
        for (const QString& secret : secrets)
            EXPECT_FALSE(wire.bytes.contains(secret.toUtf8())) << secret.toStdString() << " crossed readably";
        EXPECT_FALSE(wire.bytes.contains(pictureBytes)) << "a picture crossed readably";
    }

    // The recordings catch what goes in clear: the same secret written through each relay as a
    // program without TLS would send it.
    for (TcpRelay* path : {relay.get(), &ftpRelay, &smsRelay}) {
        QTcpSocket clear;
        clear.connectToHost(QStringLiteral("127.0.0.1"), path->port());
        ASSERT_TRUE(clear.waitForConnected(3000));
        clear.write("PASS pw-a\r\n");
        clear.waitForBytesWritten(3000);
        QElapsedTimer timer;
        timer.start();
        while (!path->recorded().contains("pw-a") && timer.elapsed() < 3000)
            QThread::msleep(20);
        EXPECT_TRUE(path->recorded().contains("pw-a"));
    }
}
