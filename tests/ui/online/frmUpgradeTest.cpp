#include "ui/online/frmUpgrade.h"
#include "HookedDialogs.h"
#include "TestOffice.h"
#include "core/online/ReferenceData.h"
#include "core/online/ReferenceRefresh.h"

#include "WidgetControls.h"
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace teran;
using namespace teran::test;

namespace {

QList<PostRow> postRows(int count, const QString& town) {
    QList<PostRow> rows;
    for (int i = 0; i < count; ++i)
        rows.append({QStringLiteral("%1").arg(6000 + i % 400, 5, 10, QLatin1Char('0')),
                     QStringLiteral("서울"), QStringLiteral("강남구"), town,
                     QStringLiteral("%1~%2").arg(i * 10 + 1).arg(i * 10 + 10)});
    return rows;
}

QStringList postSnapshot(SqlStore& store) {
    QStringList rows;
    QSqlQuery q = store.query(selectSql(ReferenceJob::Post));
    while (q.next())
        rows << QStringList{q.value(0).toString(), q.value(1).toString(), q.value(2).toString(),
                            q.value(3).toString(), q.value(4).toString()}
                    .join(QLatin1Char('|'));
    rows.sort();
    return rows;
}

class frmUpgradeTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam());
        TERAN_REQUIRE_SERVICE(office != nullptr, "The loopback servers");
        local = std::make_unique<SqlStore>(uniqueName(QStringLiteral("upgrade-local")));
        local->open(office->listingUrl());
        insertPostRows(office->server(), postRows(1100, QStringLiteral("역삼동")));
        insertPostRows(*local, postRows(40, QStringLiteral("삼성동")));
        dialogs = std::make_unique<HookedDialogs>(office->dialogs);
        session = std::make_unique<Session>(office->config, office->clock, *dialogs, office->probe());
        session->setProgramEnd([](int) {});
    }

    // Runs `act` on the refresh window once it is up and modal (the internet probe before it
    // runs events of its own, so the window is looked for until it comes).
    void onWindow(std::function<void(frmUpgrade*)> act) {
        auto* poll = new QTimer(session.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, act] {
            auto* window = qobject_cast<frmUpgrade*>(QApplication::activeModalWidget());
            if (!window || !window->isVisible())
                return;
            poll->stop();
            act(window);
        });
        poll->start();
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<SqlStore> local;
    std::unique_ptr<HookedDialogs> dialogs;
    std::unique_ptr<Session> session;
};

} // namespace

TEST_P(frmUpgradeTest, YesOpensTheWindowAndItsStartButtonCopiesCountingTheRows) {
    office->dialogs.answerNext(DialogAnswer::Yes);
    QString title, tag, stateAtEnd;
    bool startEnabledAtEnd = true;
    bool closedWhileCopying = true;
    onWindow([&](frmUpgrade* window) {
        title = control<QLabel>(window, "lblTitle")->text();
        tag = control<QPushButton>(window, "cmdAc")->property("Tag").toString();
        dialogs->onMessage = [&, window] {
            stateAtEnd = control<QLabel>(window, "lblState")->text();
            startEnabledAtEnd = control<QPushButton>(window, "cmdAc")->isEnabled();
            closedWhileCopying = window->close();
        };
        QTest::mouseClick(control<QPushButton>(window, "cmdAc"), Qt::LeftButton);
    });

    EXPECT_TRUE(runReferenceCheck(*session, ReferenceJob::Post));
    EXPECT_EQ(title, QStringLiteral("최신 우편번호 업데이트"));
    EXPECT_EQ(tag, QStringLiteral("post"));
    EXPECT_EQ(stateAtEnd, QStringLiteral("1100 / 1100 업데이트중.. "));
    EXPECT_FALSE(startEnabledAtEnd);
    EXPECT_FALSE(closedWhileCopying) << "the window closed in the middle of a copy";
    const auto& shown = office->dialogs.shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[1].text, QStringLiteral("우편번호 업데이트를 성공적으로 완료 하였습니다."));
    EXPECT_EQ(postSnapshot(*local), postSnapshot(office->server()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_P(frmUpgradeTest, AFailedCopyKeepsTheWindowOpenForAnotherTry) {
    const QStringList before = postSnapshot(*local);
    refuseInsert(*local, QStringLiteral("post"), QStringLiteral("addr4"), QStringLiteral("9001~9010"),
                 QStringLiteral("row refused"));
    office->dialogs.answerNext(DialogAnswer::Yes);
    bool startEnabledAfter = false;
    QStringList tableAfter;
    onWindow([&](frmUpgrade* window) {
        QTest::mouseClick(control<QPushButton>(window, "cmdAc"), Qt::LeftButton);
        startEnabledAfter = control<QPushButton>(window, "cmdAc")->isEnabled();
        tableAfter = postSnapshot(*local);
        QTest::mouseClick(control<QLabel>(window, "closelbl"), Qt::LeftButton);
    });

    EXPECT_FALSE(runReferenceCheck(*session, ReferenceJob::Post));
    EXPECT_TRUE(startEnabledAfter);
    EXPECT_EQ(tableAfter, before);
    const auto& shown = office->dialogs.shown();
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].text.contains(QStringLiteral("row refused")));
}

TEST_P(frmUpgradeTest, OfflineTheMenuEntryOpensNoWindow) {
    office->goOffline();
    session = std::make_unique<Session>(office->config, office->clock, *dialogs, office->probe());
    dialogs->onMessage = [] { EXPECT_EQ(QApplication::activeModalWidget(), nullptr); };
    EXPECT_FALSE(runReferenceCheck(*session, ReferenceJob::Subway));
    ASSERT_EQ(office->dialogs.shown().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(Stores, frmUpgradeTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
