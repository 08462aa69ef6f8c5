#include "ui/listings/frmOutbox.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "core/publication/OutboxPump.h"

#include <QPushButton>
#include <QTreeWidget>

using namespace teran;
using namespace teran::test;

// 전송대기 lists what waits, oldest first; 선택 취소 asks, takes the change back with the later
// changes of its listing, and the list follows; 지금 보내기 sends once the server answers.
TEST(frmOutboxTest, ListsCancelsAndSendsTheWaitingChanges) {
    auto office = TestOffice::make(Backend::Sqlite, Desk::UniqueOffice);
    TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB or the loopback probe page");
    const int cancelled = office->addListing();
    const int sent = office->addListing();
    office->session().state().InternetOk = false;
    office->answerYes();
    office->actions().publish(TestOffice::picks({cancelled, sent}), PublicationState::Internet);
    office->answerYes();
    office->actions().unpublish(TestOffice::picks({cancelled}), UnpublishScope::Both);

    OutboxPump pump(office->session(), 60000);
    frmOutbox window(pump, office->dialogs);
    auto* list = control<QTreeWidget>(&window, "lvOutbox");
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(list->topLevelItem(0)->text(1), QStringLiteral("공유"));
    EXPECT_EQ(list->topLevelItem(2)->text(1), QStringLiteral("공유해제"));

    list->topLevelItem(0)->setSelected(true);
    office->dialogs.answerNext(DialogAnswer::No);
    control<QPushButton>(&window, "cmdCancelChange")->click();
    EXPECT_EQ(list->topLevelItemCount(), 3) << "answered No";
    office->dialogs.answerNext(DialogAnswer::Yes);
    control<QPushButton>(&window, "cmdCancelChange")->click();
    ASSERT_EQ(list->topLevelItemCount(), 1) << "its withdrawal went with it";
    EXPECT_EQ(office->localState(cancelled), 0);

    office->session().state().InternetOk = true;
    control<QPushButton>(&window, "cmdSendNow")->click();
    EXPECT_EQ(list->topLevelItemCount(), 0);
    EXPECT_EQ(office->serverState(sent), 1);
    EXPECT_EQ(office->serverState(cancelled), std::nullopt);
}
