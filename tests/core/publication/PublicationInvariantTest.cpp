#include "TestOffice.h"
#include "core/listings/ActionTexts.h"
#include "core/publication/OutboxSender.h"
#include "core/publication/PublicationOutbox.h"

#include <QSqlQuery>
#include <QUrl>

using namespace teran;
using namespace teran::test;

// Whatever step of a publication change fails, the office database holds the change whole or not
// at all, a change the server did not take waits in the outbox, and once it is sent a local row
// says published exactly while its server copy exists. The user hears which listings were not
// done and which wait.

namespace {

enum class Operation { Publish, Withdraw, Archive, Delete };
enum class Where { None, Local, Server, Pictures };

constexpr unsigned bit(Operation op) {
    return 1u << unsigned(op);
}
constexpr unsigned kAll = 0xF;
constexpr unsigned kStateChanges =
    bit(Operation::Publish) | bit(Operation::Withdraw) | bit(Operation::Archive);
constexpr unsigned kCopyRemovals =
    bit(Operation::Withdraw) | bit(Operation::Archive) | bit(Operation::Delete);

struct Fault {
    const char* name;
    Where where;
    const char* statement; // the statement that fails (its start; empty: every one)
    unsigned undoes;       // the operations whose row the failure leaves undone
};

// The steps of the row work: the local change with its outbox entry and their commit, then the
// server step, then the pictures. A local failure undoes the row; a server failure leaves the
// change waiting; a picture failure is reported but undoes no row.
const Fault kFaults[] = {
    {"nothing", Where::None, "", 0},
    {"local lock", Where::Local, "BEGIN", kAll},
    {"local state write", Where::Local, "UPDATE maemul", kStateChanges},
    {"local delete", Where::Local, "DELETE FROM maemul", bit(Operation::Delete)},
    {"local commit", Where::Local, "COMMIT", kAll},
    {"server down", Where::Server, "", kAll},
    {"server copy write", Where::Server, "INSERT INTO `maemul`", bit(Operation::Publish)},
    {"server copy delete", Where::Server, "DELETE FROM maemul", kCopyRemovals},
    {"picture server down", Where::Pictures, "", 0},
};

const std::pair<Operation, const char*> kOperations[] = {{Operation::Publish, "publish"},
                                                         {Operation::Withdraw, "withdraw"},
                                                         {Operation::Archive, "archive"},
                                                         {Operation::Delete, "delete"}};

class PublicationInvariantTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::UniqueOffice);
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    }

    bool localPublished(int number) {
        const QVariant state =
            office->local().scalar(QStringLiteral("SELECT state FROM maemul WHERE table_idx = ?"), {number});
        return state.isValid() && (state.toInt() == 1 || state.toInt() == 3 || state.toInt() == 7);
    }
    bool localExists(int number) {
        return office->local()
            .scalar(QStringLiteral("SELECT table_idx FROM maemul WHERE table_idx = ?"), {number})
            .isValid();
    }

    static SqlStore::FaultHook failing(const char* statement) {
        const QString start = QLatin1String(statement);
        return [start](const QString& sql) -> std::optional<QString> {
            if (start.isEmpty() || sql.startsWith(start))
                return QStringLiteral("injected failure");
            return std::nullopt;
        };
    }

    ActionOutcome run(Operation op, int number, Where where) {
        PictureStoreFactory pictures;
        if (where == Where::Pictures)
            pictures = [this] {
                PictureServer dead;
                dead.host = QStringLiteral("127.0.0.1");
                dead.port = QUrl(closedPortUrl()).port();
                return std::make_unique<PictureStore>(dead, office->session().dataFolder().root());
            };
        ListingActions actions(office->session(), pictures);
        office->answerYes();
        const QList<ListingPick> picks = TestOffice::picks({number});
        switch (op) {
        case Operation::Publish:
            return actions.publish(picks, PublicationState::Internet);
        case Operation::Withdraw:
            return actions.unpublish(picks, UnpublishScope::Internet);
        case Operation::Archive:
            return actions.archive(picks);
        case Operation::Delete:
            break;
        }
        return actions.remove(picks);
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

TEST_P(PublicationInvariantTest, AFailureAtAnyStepKeepsBothStoresInStep) {
    for (const auto& [op, operation] : kOperations) {
        for (const Fault& fault : kFaults) {
            SCOPED_TRACE(std::string(operation) + " with " + fault.name);
            const bool startsPublished = op != Operation::Publish;
            const int number =
                startsPublished
                    ? office->addPublished(1, {{"imgname1", pictureName(office->officeId(), 0, 1)}})
                    : office->addListing({{"imgname1", pictureName(office->officeId(), 0, 1)}});
            if (fault.where == Where::Local)
                office->session().listingStore().setFaultHook(failing(fault.statement));
            if (fault.where == Where::Server)
                office->session().serverStore().setFaultHook(failing(fault.statement));

            const ActionOutcome outcome = run(op, number, fault.where);
            office->session().listingStore().setFaultHook({});
            office->session().serverStore().setFaultHook({});

            const bool undone = fault.where == Where::Local && (fault.undoes & bit(op)) != 0;
            const bool waits = fault.where == Where::Server && (fault.undoes & bit(op)) != 0;
            EXPECT_TRUE(outcome.ran);
            EXPECT_EQ(outcome.done, undone ? 0 : 1);
            EXPECT_EQ(outcome.queued, waits ? 1 : 0);
            if (undone || waits) {
                EXPECT_EQ(outcome.failedNumbers, undone ? QList<int>{number} : QList<int>{});
                EXPECT_TRUE(office->dialogs.lastText().contains(QStringLiteral("매물%1").arg(number)))
                    << office->dialogs.lastText().toStdString();
            }
            if (fault.where == Where::Pictures && op != Operation::Publish) {
                EXPECT_EQ(outcome.picturesIncomplete, 1);
                EXPECT_TRUE(office->dialogs.lastText().contains(
                    ActionTexts::picturesNotRemovedNote(1, QStringLiteral("매물%1").arg(number))));
            }

            // The office database as the outcome says; the server untouched while the change waits.
            EXPECT_EQ(localPublished(number), undone ? startsPublished : op == Operation::Publish);
            EXPECT_EQ(localExists(number), undone || op != Operation::Delete);
            if (waits) {
                EXPECT_EQ(office->serverState(number).has_value(), startsPublished);
            }
            if (!undone && op == Operation::Archive) {
                EXPECT_EQ(office->localState(number), 2);
            }

            // The rule itself, once what waits was sent.
            OutboxSender(office->session(), {}, QStringLiteral("test => ")).sendWaiting();
            EXPECT_EQ(PublicationOutbox(office->local()).count(), 0);
            EXPECT_EQ(localPublished(number), office->serverState(number).has_value());
        }
    }
}

// A cancelled batch stops between rows: the rows before are done, the rest untouched.
TEST_P(PublicationInvariantTest, ACancelledBatchLeavesTheRestAsItWas) {
    QList<int> numbers;
    for (int i = 0; i < 4; ++i)
        numbers << office->addPublished(1);
    ListingActions actions(office->session());
    int asked = 0;
    actions.setCancelled([&asked] { return ++asked > 2; });
    office->answerYes();
    const ActionOutcome outcome = actions.remove(TestOffice::picks(numbers));
    EXPECT_EQ(outcome.done, 2);
    EXPECT_EQ(outcome.cancelled, 2);
    for (int i = 0; i < numbers.size(); ++i) {
        EXPECT_EQ(localExists(numbers[i]), i >= 2);
        EXPECT_EQ(office->serverState(numbers[i]).has_value(), i >= 2);
    }
    EXPECT_TRUE(office->dialogs.lastText().contains(
        QStringLiteral("취소하여 삭제하지 않은 매물 (2)건 [매물%1,매물%2]").arg(numbers[2]).arg(numbers[3])))
        << office->dialogs.lastText().toStdString();
}

// Publishing a number whose old copy is still on the server (an office database emptied or put
// back from an older copy) writes the whole copy from the local row, not just its state.
TEST_P(PublicationInvariantTest, PublishingReplacesAnOldCopyOfTheSameNumber) {
    const int number = office->addListing({{"cboname", "새 매물"}, {"money_m", 12000}});
    insertServer(office->server(), {{"id", office->officeId()},
                                    {"sub_idx", number},
                                    {"tb", "apt"},
                                    {"ty", "M"},
                                    {"state", 0},
                                    {"cboname", "지난 매물"},
                                    {"money_m", 99000}});
    const QVariant serverKey = office->serverColumn(number, "table_idx");
    office->answerYes();
    EXPECT_EQ(office->actions().publish(TestOffice::picks({number}), PublicationState::Internet).done, 1);
    EXPECT_EQ(office->serverColumn(number, "cboname").toString(), QStringLiteral("새 매물"));
    EXPECT_EQ(office->serverColumn(number, "money_m").toLongLong(), 12000);
    EXPECT_EQ(office->serverColumn(number, "table_idx"), serverKey) << "other offices know the copy by it";
    EXPECT_EQ(office->serverCount(office->officeId()), 1);
}

// The server dropped the program's connection (as a restart does): the next publish reconnects.
TEST_P(PublicationInvariantTest, ThePublishAfterALostConnectionSucceeds) {
    if (GetParam() != Backend::MariaDb)
        GTEST_SKIP() << "an SQLite server file has no connection to lose";
    const qint64 id =
        office->session().serverStore().scalar(QStringLiteral("SELECT CONNECTION_ID()")).toLongLong();
    QSqlQuery kill(office->server().database());
    ASSERT_TRUE(kill.exec(QStringLiteral("KILL %1").arg(id)));
    const int number = office->addListing();
    office->answerYes();
    EXPECT_EQ(office->actions().publish(TestOffice::picks({number}), PublicationState::Internet).done, 1);
    EXPECT_EQ(office->serverState(number), 1);
}

INSTANTIATE_TEST_SUITE_P(Backends, PublicationInvariantTest,
                         testing::Values(Backend::Sqlite, Backend::MariaDb), backendName);
