#include "core/session/StoreAttempt.h"
#include "TestOffice.h"

#include <QFile>
#include <gtest/gtest.h>

namespace teran::test {
namespace {

// Store work done for a window: its value comes back, a failing statement comes back as the
// failure with the store's words and is written to the daily log once, under the window's label.
class StoreAttemptTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite);
        ASSERT_NE(office, nullptr);
        session = office->newSession();
        ASSERT_TRUE(session->MdbsqlConnOpen());
    }

    QStringList logLines() const {
        QFile file(session->log().fileFor(office->clock.today()));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    }

    void failingStatement() {
        session->listingStore().execute(QStringLiteral("SELECT * FROM no_such_table"));
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<Session> session;
};

// Work that succeeds, and an exception that is not the store's, pass through without a log line.
TEST_F(StoreAttemptTest, AValueComesBackAndNothingIsLogged) {
    const auto count = attemptStore(*session, QStringLiteral("매물수 => "), [&] {
        return session->listingStore().scalar(QStringLiteral("SELECT COUNT(*) FROM maemul")).toInt();
    });
    ASSERT_TRUE(count.ok());
    EXPECT_EQ(*count, 0);
    EXPECT_TRUE(count.failureText().isEmpty());
    bool ran = false;
    const auto done = attemptStore(*session, QStringLiteral("저장 => "), [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_TRUE(done.ok());
    EXPECT_THROW(attemptStore(*session, QStringLiteral("x => "), [] { throw std::logic_error("bug"); }),
                 std::logic_error);
    EXPECT_TRUE(logLines().isEmpty());
}

TEST_F(StoreAttemptTest, AFailureIsLoggedOnceUnderTheLabelAndToldOnlyWhenAsked) {
    const auto failed = attemptStore(*session, QStringLiteral("계약서 cmdSave => "), [&] {
        failingStatement();
        return 1;
    });
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(failed.valueOr(7), 7);
    EXPECT_TRUE(failed.failureText().contains(QStringLiteral("no_such_table")))
        << failed.failureText().toStdString();
    const QStringList lines = logLines();
    ASSERT_EQ(lines.size(), 1) << lines.join(u'\n').toStdString();
    EXPECT_TRUE(lines.first().contains(QStringLiteral("계약서 cmdSave => SELECT * FROM no_such_table")))
        << lines.first().toStdString();
    EXPECT_TRUE(office->dialogs.shown().isEmpty()) << "logging is not telling";

    showStoreFailure(*session, *failed.failure(), StoreKind::Listing);
    ASSERT_EQ(office->dialogs.shown().size(), 1);
    EXPECT_EQ(office->dialogs.shown().first().icon, DialogIcon::Critical);
    EXPECT_EQ(logLines().size(), 1) << "showing writes no second line";
}

} // namespace
} // namespace teran::test
