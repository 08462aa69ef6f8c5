#include "core/register/ListingSave.h"
#include "TestOffice.h"
#include "core/listing/TypeFields.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"
#include "core/register/RegisterTexts.h"
#include "core/session/StoreSchemas.h"
#include "core/session/WorkNotes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>

using namespace teran;
using namespace teran::test;

namespace {

// An apartment for sale with every fact an internet advertisement must state.
ListingRow advertisable() {
    return {{"tb", "apt"},         {"ty", "M"},         {"maemultype", "매매"},  {"addr1", "서울"},
            {"addr2", "강남구"},   {"addr3", "역삼동"}, {"addr4", "123-4"},      {"addr5", "101동 1203호"},
            {"cboname", "래미안"}, {"pyung", 34},       {"pyung_use", 25.7},     {"money_m", 85000},
            {"floor", "12"},       {"floor_max", 25},   {"makedate", "2015"},    {"direction", "남향"},
            {"room", 3},           {"bathroom", 2},     {"ipjuday", "즉시"},     {"parking", 1},
            {"money_g", 25},       {"uname", "홍길동"}, {"uhp", "010-1111-2222"}};
}

class ListingSaveTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }

    ListingSaveService service(bool online = true) {
        ListingSaveTargets targets = sessionSaveTargets(office->session());
        if (!online) {
            targets.server = nullptr;
            targets.deliver = {};
        }
        targets.log = [this](const QString& line) { logged << line; };
        return ListingSaveService(targets);
    }

    QString chosenFile(const QString& name) {
        const QString path = QDir(picked.path()).filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("picture " + name.toUtf8());
        return path;
    }

    ListingSaveRequest shared(ListingRow fields = advertisable()) {
        ListingSaveRequest request;
        request.fields = std::move(fields);
        request.share = true;
        request.disclosure.state = PublicationState::Internet;
        return request;
    }

    // The form of stored listing `number` saved again, as it stands in `request`.
    static ListingSaveRequest editOf(int number, ListingSaveRequest request) {
        request.mode = EditMode::Edit;
        request.number = number;
        return request;
    }

    QStringList serverBox(int number) {
        return office->server()
            .scalar("SELECT Img1 FROM filebox WHERE ID = ? AND sub_idx = ?", {office->officeId(), number})
            .toString()
            .split('|');
    }

    QVariant local(int number, const char* column) {
        return office->local().scalar(
            QStringLiteral("SELECT `%1` FROM maemul WHERE table_idx = ?").arg(column), {number});
    }

    std::unique_ptr<TestOffice> office;
    QTemporaryDir picked;
    QStringList logged;
};

// When the vendor server cannot be reached during the save, the listing is saved in the state the
// user chose and its copy waits in the outbox with the server's answer; it goes when the server
// answers.
TEST_P(ListingSaveTest, AServerThatFailsKeepsTheShareWaitingAndAFailedPictureIsLeftOut) {
    TERAN_REQUIRE_SERVICE(office->hasFtp(), "the loopback FTP server");
    office->session().serverStore().setFaultHook([](const QString& sql) -> std::optional<QString> {
        if (sql.contains(QLatin1String("INSERT INTO `maemul`")))
            return QStringLiteral("Lost connection to server during query");
        return std::nullopt;
    });
    const ListingSaveResult lost = service().save(shared());
    EXPECT_TRUE(lost.saved());
    EXPECT_EQ(lost.sharing, ListingSaveResult::Sharing::Queued);
    EXPECT_EQ(local(lost.number, "state").toInt(), 1);
    EXPECT_EQ(office->serverState(lost.number), std::nullopt);
    const QList<OutboxEntry> waiting = PublicationOutbox(office->local()).waiting();
    ASSERT_EQ(waiting.size(), 1);
    EXPECT_TRUE(waiting.first().lastError.contains(QStringLiteral("Lost connection")));
    office->session().serverStore().setFaultHook({});
    EXPECT_EQ(OutboxSender(office->session(), {}, QStringLiteral("test => ")).sendWaiting().sent, 1);
    EXPECT_EQ(office->serverState(lost.number), 1);

    ListingSaveTargets noFtp = sessionSaveTargets(office->session());
    noFtp.pictures = [] {
        PictureServer closed;
        closed.host = QStringLiteral("127.0.0.1");
        closed.port = 1; // nothing listens there
        auto store = std::make_unique<PictureStore>(closed, QString());
        store->setTimeouts(2, 2);
        return store;
    };
    // A picture that cannot go up is reported and left out of the shared copy, which names no
    // file the server lacks; the next save with the picture server back sends it.
    ListingSaveRequest withPicture = shared();
    withPicture.chosenPicture = {chosenFile("b.jpg"), QString()};
    const ListingSaveResult noPicture = ListingSaveService(noFtp).save(withPicture);
    EXPECT_TRUE(noPicture.saved());
    EXPECT_EQ(noPicture.sharing, ListingSaveResult::Sharing::Published);
    EXPECT_EQ(noPicture.unsentPictures, QStringList{noPicture.pictures[0]});
    EXPECT_FALSE(noPicture.sharingError.isEmpty());
    EXPECT_EQ(office->serverColumn(noPicture.number, "imgname1").toString(), QString());

    ListingSaveRequest resend = editOf(noPicture.number, shared());
    resend.storedPicture = noPicture.pictures;
    resend.wasShared = true;
    const ListingSaveResult sent = service().save(resend);
    EXPECT_TRUE(sent.unsentPictures.isEmpty());
    EXPECT_EQ(office->serverColumn(noPicture.number, "imgname1").toString(), noPicture.pictures[0]);
    EXPECT_TRUE(QFile::exists(office->remotePicture(noPicture.pictures[0])));
    // A picture removed from a shared listing leaves the server with it.
    resend.storedPicture = {};
    EXPECT_TRUE(service().save(resend).unsentPictures.isEmpty());
    EXPECT_FALSE(QFile::exists(office->remotePicture(noPicture.pictures[0])));

    // Away from the server the share waits in the outbox, with what the user chose to show.
    ListingSaveRequest hidden = shared();
    hidden.disclosure.addr3 = false;
    hidden.disclosure.hitadd = 1;
    const ListingSaveResult offline = service(false).save(hidden);
    EXPECT_TRUE(offline.saved());
    EXPECT_EQ(offline.sharing, ListingSaveResult::Sharing::Queued);
    EXPECT_EQ(local(offline.number, "state").toInt(), 1);
    EXPECT_EQ(office->serverState(offline.number), std::nullopt);
    EXPECT_EQ(OutboxSender(office->session(), {}, QStringLiteral("test => ")).sendWaiting().sent, 1);
    EXPECT_EQ(office->serverState(offline.number), 1);
    EXPECT_TRUE(office->serverColumn(offline.number, "addr3").toString().isEmpty());
    EXPECT_EQ(office->serverColumn(offline.number, "hitadd").toInt(), 1);
}

// Offline, an edit of a shared listing keeps it shared in the office's row: its copy is still on
// the server, and the lists must go on saying so. The edit reaches the copy when the server answers.
// An edit of a row that another desk saved since the form opened asks; overwriting writes it.
TEST_P(ListingSaveTest, AnOfflineEditKeepsTheStateAndAnEditOfARowChangedElsewhereAsks) {
    ListingSaveRequest request = shared();
    request.disclosure.hitadd = 2;
    const ListingSaveResult published = service().save(request);
    ASSERT_EQ(published.sharing, ListingSaveResult::Sharing::Published);

    ListingSaveRequest edit = editOf(published.number, {});
    edit.fields = advertisable();
    edit.fields.insert("money_m", 70000);
    edit.asOpened = readLocal(office->local(), published.number);
    const ListingSaveResult offline = service(false).save(edit);
    EXPECT_TRUE(offline.saved());
    EXPECT_TRUE(offline.keptPublication);
    EXPECT_EQ(offline.sharing, ListingSaveResult::Sharing::Queued);
    EXPECT_EQ(local(published.number, "state").toInt(), 1);
    EXPECT_EQ(local(published.number, "hitadd").toInt(), 2);
    EXPECT_EQ(local(published.number, "money_m").toLongLong(), 70000);
    EXPECT_EQ(office->serverColumn(published.number, "money_m").toLongLong(), 85000)
        << "the copy waits for the server";
    EXPECT_EQ(OutboxSender(office->session(), {}, QStringLiteral("test => ")).sendWaiting().sent, 1);
    EXPECT_EQ(office->serverColumn(published.number, "money_m").toLongLong(), 70000);
    EXPECT_EQ(office->serverColumn(published.number, "hitadd").toInt(), 2) << "its grade stays";

    edit.asOpened = readLocal(office->local(), published.number);
    updateLocal(office->local(), published.number, {{"money_m", 90000}}); // the other desk
    edit.fields.insert("money_m", 80000);
    EXPECT_EQ(service(false).save(edit).local, ListingSaveResult::Local::ChangedElsewhere);
    EXPECT_EQ(local(published.number, "money_m").toLongLong(), 90000);
    edit.overwrite = true;
    EXPECT_TRUE(service(false).save(edit).saved());
    EXPECT_EQ(local(published.number, "money_m").toLongLong(), 80000);
}

// A note typed in the form is the office's: another member reads it under the listing, and under
// the lot when the form keeps it for the lot.
TEST_P(ListingSaveTest, ANoteTypedInTheFormIsSeenByTheWholeOffice) {
    ListingSaveRequest request = shared();
    request.workNote = QStringLiteral("집주인과 통화, 가격 조정 가능");
    const int number = service(false).save(request).number;
    request.workNote = QStringLiteral("같은 지번 다른 호수 문의");
    request.workNoteLot = QStringLiteral("역삼동 123-4");
    const int second = service(false).save(request).number;

    const WorkNoteBook colleague(office->local(), QStringLiteral("someone-else"));
    const QList<WorkNote> notes = colleague.ofListing(number);
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes.first().work, QStringLiteral("집주인과 통화, 가격 조정 가능"));
    EXPECT_EQ(notes.first().writeday.date(), office->session().clock().today());
    const QList<WorkNote> lot = colleague.ofLot(QStringLiteral("역삼동 123-4"));
    ASSERT_EQ(lot.size(), 1);
    EXPECT_EQ(lot.first().work, QStringLiteral("같은 지번 다른 호수 문의"));
    EXPECT_TRUE(colleague.ofListing(second).isEmpty()) << "a lot's note is not the listing's own";
    service(false).save(shared());
    EXPECT_EQ(colleague.ofListing(number).size(), 1) << "a save without a note adds none";
}

// A listing needs a place (시/도, 구/군 or 읍/면/동) and a listing to share needs a grade; a form
// lacking either writes nothing and says what is lacking. Publishing to the internet waits for the
// facts the law requires; club-only sharing does not.
TEST_P(ListingSaveTest, WhatAFormLacksKeepsItFromBeingWrittenOrAdvertised) {
    const int before = office->local().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt();
    ListingSaveRequest noPlace = shared();
    for (const char* column : {"addr1", "addr2", "addr3"})
        noPlace.fields.insert(column, " ");
    ListingSaveRequest noGrade = shared();
    noGrade.gradeChosen = false;
    for (const auto& [request, lack] : {std::pair{noPlace, ListingSaveResult::Local::NoAddress},
                                        std::pair{noGrade, ListingSaveResult::Local::NoGrade}}) {
        EXPECT_EQ(ListingSaveService::lacking(request), lack);
        const ListingSaveResult result = service().save(request);
        EXPECT_EQ(result.local, lack);
        EXPECT_FALSE(result.saved());
        EXPECT_FALSE(RegisterTexts::saveNotice(result).text.isEmpty()) << "the user is told";
    }
    EXPECT_EQ(office->local().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt(), before);
    EXPECT_EQ(PublicationOutbox(office->local()).count(), 0);

    // Only the district is enough; a grade is asked only of a listing to share.
    ListingSaveRequest district = shared();
    district.fields.insert("addr1", QString());
    district.fields.insert("addr3", QString());
    EXPECT_EQ(ListingSaveService::lacking(district), std::nullopt);
    noGrade.share = false;
    EXPECT_EQ(ListingSaveService::lacking(noGrade), std::nullopt);

    ListingRow bare = advertisable();
    bare.remove("ipjuday");
    bare.remove("money_g");
    const ListingSaveResult internet = service().save(shared(bare));
    EXPECT_TRUE(internet.saved());
    EXPECT_EQ(internet.sharing, ListingSaveResult::Sharing::Refused);
    EXPECT_EQ(internet.missingFacts, (QStringList{"입주가능일", "관리비"}));
    EXPECT_EQ(office->serverState(internet.number), std::nullopt);

    ListingSaveRequest clubs = shared(bare);
    clubs.disclosure.state = PublicationState::Clubs;
    const ListingSaveResult club = service().save(clubs);
    EXPECT_EQ(club.sharing, ListingSaveResult::Sharing::Published);
    EXPECT_EQ(office->serverState(club.number), 7);
}

// The image box goes with its listing slot by slot: into files/ under "_3" ... "_8" at the save,
// onto the picture server at the publication that follows, and off it when a slot is emptied or
// its picture is no longer to be published.
TEST_P(ListingSaveTest, TheImageBoxTravelsSlotBySlot) {
    TERAN_REQUIRE_SERVICE(office->hasFtp(), "the loopback FTP server");
    const ListingSaveResult plain = service().save(shared());
    EXPECT_EQ(ImageBoxStore::read(office->local(), plain.number), std::nullopt) << "no box, no row";

    ImageBoxList box;
    const QStringList left =
        box.fill({chosenFile("a.JPG"), chosenFile("b.png"), chosenFile("c.jpg"), chosenFile("d.jpg"),
                  chosenFile("e.jpg"), chosenFile("f.gif"), chosenFile("g.jpg")},
                 true);
    EXPECT_EQ(left.size(), 1) << "six slots";
    box.slot(1).publish = false;
    ListingSaveRequest request = shared();
    request.imageBox = box;
    const ListingSaveResult saved = service().save(request);
    ASSERT_EQ(saved.sharing, ListingSaveResult::Sharing::Published) << saved.sharingError.toStdString();
    const QString id = office->officeId();
    const int n = saved.number;
    const auto name = [&](int suffix, const char* ext) { return pictureName(id, n, suffix, ext); };
    ASSERT_TRUE(saved.imageBox);
    EXPECT_EQ(saved.imageBox->slot(0).entry, name(3, "JPG"));
    EXPECT_EQ(saved.imageBox->slot(5).entry, name(8, "gif"));
    EXPECT_TRUE(QFile::exists(office->localPicture(name(3, "JPG"))));
    EXPECT_TRUE(QFile::exists(office->remotePicture(name(3, "JPG"))));
    EXPECT_TRUE(QFile::exists(office->localPicture(name(4, "png"))));
    EXPECT_FALSE(QFile::exists(office->remotePicture(name(4, "png")))) << "not to be published";
    EXPECT_EQ(serverBox(n),
              (QStringList{name(3, "JPG"), name(5, "jpg"), name(6, "jpg"), name(7, "jpg"), name(8, "gif")}));
    EXPECT_FALSE(ImageBoxStore::pending(office->local(), n));

    // Slot 2 emptied and slot 0 no longer published: both leave the server, slot 2 the office too.
    ImageBoxList changed = *saved.imageBox;
    changed.slot(2) = {};
    changed.slot(0).publish = false;
    ListingSaveRequest edit = editOf(n, shared());
    edit.wasShared = true;
    edit.imageBox = changed;
    ASSERT_EQ(service().save(edit).sharing, ListingSaveResult::Sharing::Published);
    const std::optional<ImageBoxList> stored = ImageBoxStore::read(office->local(), n);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->flags(), "gita_lo|gita_lo|noimg|gita_ie|gita_ie|gita_ie");
    EXPECT_EQ(stored->names().split('|').at(2), QString());
    EXPECT_FALSE(QFile::exists(office->localPicture(name(5, "jpg"))));
    EXPECT_FALSE(QFile::exists(office->remotePicture(name(5, "jpg"))));
    EXPECT_FALSE(QFile::exists(office->remotePicture(name(3, "JPG"))));
    EXPECT_TRUE(QFile::exists(office->localPicture(name(3, "JPG"))));
    EXPECT_EQ(serverBox(n), (QStringList{name(6, "jpg"), name(7, "jpg"), name(8, "gif")}));

    // A copy takes the box under its own number; nothing of the first listing moves.
    ListingSaveRequest copy = editOf(n, shared());
    copy.mode = EditMode::Copy;
    const ListingSaveResult copied = service().save(copy);
    ASSERT_TRUE(copied.imageBox);
    EXPECT_EQ(copied.imageBox->slot(3).entry, pictureName(id, copied.number, 6, "jpg"));
    EXPECT_TRUE(QFile::exists(office->remotePicture(pictureName(id, copied.number, 6, "jpg"))));
    EXPECT_TRUE(QFile::exists(office->localPicture(name(6, "jpg"))));
}

// The registration window opens a stored listing with its server copy; offline, a published
// listing still counts as shared so that the save keeps its state; a listing whose copy is gone
// is no longer shared, and one deleted elsewhere does not open.
TEST_P(ListingSaveTest, AStoredListingOpensWithItsCopyOrOfflineAsShared) {
    const ListingSaveResult published = service().save(shared());
    ASSERT_EQ(published.sharing, ListingSaveResult::Sharing::Published);
    const QString label = QStringLiteral("-FncEditForm => ");
    Session& session = office->session();

    std::optional<ListingToEdit> online = listingToEdit(session, published.number, label);
    ASSERT_TRUE(online);
    ASSERT_TRUE(online->sharedCopy);
    EXPECT_EQ(online->sharedCopy->value("money_m").toLongLong(), 85000);
    EXPECT_TRUE(online->shared);
    EXPECT_FALSE(online->archived);
    EXPECT_TRUE(online->hiddenBy.isEmpty());
    EXPECT_EQ(online->expires, defaultExpiry(online->registered));

    session.state().InternetOk = false;
    const std::optional<ListingToEdit> offline = listingToEdit(session, published.number, label);
    ASSERT_TRUE(offline);
    EXPECT_FALSE(offline->sharedCopy) << "offline the server is not read";
    EXPECT_TRUE(offline->shared);

    session.state().InternetOk = true;
    office->server().execute(QStringLiteral("DELETE FROM maemul WHERE id = ?"), {office->officeId()});
    const std::optional<ListingToEdit> copyGone = listingToEdit(session, published.number, label);
    ASSERT_TRUE(copyGone);
    EXPECT_FALSE(copyGone->shared);

    session.serverStore().setFaultHook(
        [](const QString&) -> std::optional<QString> { return QStringLiteral("gone"); });
    const std::optional<ListingToEdit> serverFails = listingToEdit(session, published.number, label);
    session.serverStore().setFaultHook({});
    ASSERT_TRUE(serverFails) << "a failing server does not keep the listing from opening";
    EXPECT_FALSE(serverFails->sharedCopy);

    EXPECT_FALSE(listingToEdit(session, published.number + 100, label));
}

INSTANTIATE_TEST_SUITE_P(Backends, ListingSaveTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);

// Run by the test below in two processes at once: 500 saves into the office file it names.
TEST(ListingNumbers, DISABLED_SaveFiveHundredInto) {
    const QString file = qEnvironmentVariable("TERAN_SAVE_INTO");
    ASSERT_FALSE(file.isEmpty());
    SqlStore store(uniqueName(QStringLiteral("desk")));
    store.open(StoreUrl::sqliteFile(file));
    FixedClock clock(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
    ListingSaveService save(ListingSaveTargets{store, nullptr, "off1", "off1", QString(), {}, clock, {}, {}});
    for (int i = 0; i < 500; ++i) {
        ListingSaveRequest request;
        request.fields = {{"tb", "villa"}, {"addr1", "서울"}, {"money_m", i}};
        ASSERT_TRUE(save.save(request).saved()) << i;
    }
}

// Two desks saving into one office file at the same time never get the same number.
TEST(ListingNumbers, TwoDesksSavingAtOnceGetDistinctNumbers) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("terandb.db"));
    {
        SqlStore store(uniqueName(QStringLiteral("setup")));
        store.open(StoreUrl::sqliteFile(file));
        upgradeListingStore(store);
    }
    QList<QProcess*> desks;
    for (int d = 0; d < 2; ++d) {
        auto* desk = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TERAN_SAVE_INTO"), file);
        desk->setProcessEnvironment(env);
        desk->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=ListingNumbers.DISABLED_SaveFiveHundredInto")});
        desks << desk;
    }
    for (QProcess* desk : desks) {
        EXPECT_TRUE(desk->waitForFinished(240000));
        EXPECT_EQ(desk->exitCode(), 0) << desk->readAllStandardOutput().right(2000).toStdString();
        delete desk;
    }
    SqlStore store(uniqueName(QStringLiteral("check")));
    store.open(StoreUrl::sqliteFile(file));
    QSqlQuery q = store.query(QStringLiteral("SELECT table_idx FROM maemul"));
    QSet<int> numbers;
    int rows = 0;
    while (q.next()) {
        numbers.insert(q.value(0).toInt());
        ++rows;
    }
    EXPECT_EQ(rows, 1000);
    EXPECT_EQ(numbers.size(), 1000);
}

} // namespace

// The save's small rules: which transaction is stored, who hid the seller, what name is no name,
// and whether a copy may still be on the server after a save.
TEST(ListingSaveRulesTest, TransactionSellerNameAndRemainingCopy) {
    const ListingRow presale{{"maemultype", "매매"}, {"ty", "B"}};
    EXPECT_EQ(transactionToStore(presale, "매매"), "B") << "an unchanged form keeps the stored transaction";
    EXPECT_EQ(transactionToStore(presale, "전세"), transactionOfForm("전세"));
    EXPECT_EQ(transactionToStore(std::nullopt, "월세"), transactionOfForm("월세"));
    EXPECT_EQ(transactionToStore(ListingRow{{"maemultype", "매매"}}, "매매"), transactionOfForm("매매"))
        << "a row without a transaction takes the form's";

    EXPECT_EQ(sellerHiddenBy(true, QString(), "st1"), "st1");
    EXPECT_EQ(sellerHiddenBy(true, "off1", "st1"), "off1") << "who hid it first keeps it hidden";
    EXPECT_EQ(sellerHiddenBy(false, "off1", "st1"), QString());

    const TypeRules* apartment = typeRules("apt");
    ASSERT_TRUE(apartment && apartment->hasName());
    EXPECT_TRUE(nameToStore(apartment->nameCaption).isEmpty());
    EXPECT_EQ(nameToStore("래미안"), "래미안");

    using Sharing = ListingSaveResult::Sharing;
    const auto after = [](Sharing sharing, bool wasShared) {
        ListingSaveResult result;
        result.sharing = sharing;
        return result.copyMayRemain(wasShared);
    };
    EXPECT_TRUE(after(Sharing::Published, false));
    EXPECT_FALSE(after(Sharing::Withdrawn, true));
    EXPECT_FALSE(after(Sharing::NotShared, true));
    EXPECT_TRUE(after(Sharing::Failed, true)) << "a failed share leaves the earlier copy";
    EXPECT_TRUE(after(Sharing::Queued, true));
    EXPECT_FALSE(after(Sharing::Failed, false));
}
