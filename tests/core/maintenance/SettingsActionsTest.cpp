#include "core/maintenance/SettingsActions.h"
#include "TestOffice.h"

using namespace teran;
using namespace teran::test;

namespace {

class SettingsActionsTest : public testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        office = TestOffice::make(GetParam(), Desk::Office);
        // Only the MariaDB backend needs a server; an office on SQLite that cannot be made is a fault.
        if (GetParam() == Backend::Sqlite) {
            ASSERT_NE(office, nullptr);
        }
        TERAN_REQUIRE_SERVICE(office != nullptr, "MariaDB");
    }
    SettingsActions actions() { return SettingsActions(office->session()); }
    int regionRows() {
        return office
            ->localValue("SELECT COUNT(*) FROM mem_seting WHERE seting IN ('all','apt','land','joouso')")
            .toInt();
    }

    std::unique_ptr<TestOffice> office;
};

} // namespace

// The region window's save keeps what was typed for every key, also for a key whose row an
// older office database lacks; the reset takes the member's own region from the server and
// gives every key exactly one row, and is refused without the server.
TEST_P(SettingsActionsTest, RegionsAreSavedForEveryKeyAndResetToTheMembersRegion) {
    office->local().execute("DELETE FROM mem_seting WHERE seting = 'land'");
    QMap<QString, RegionDefault> regions = actions().regions();
    ASSERT_EQ(regions.size(), 20);
    EXPECT_TRUE(regions.value("land").isEmpty());
    regions["apt"] = {"서울", "강남구", "역삼동"};
    regions["land"] = {"경기", "성남시", ""};
    ASSERT_TRUE(actions().saveRegions(regions));
    EXPECT_EQ(office->dialogs.shown().last().title, "환경설정");
    EXPECT_EQ(office->dialogs.lastText(), "정보를 변경 하였습니다.");
    EXPECT_EQ(actions().regions(), regions);
    EXPECT_EQ(SettingsStore::ofOffice(office->session()).listRegion("apt"),
              (RegionDefault{"서울", "강남구", "역삼동"}));

    office->server().execute("UPDATE members SET addr1 = '부산', addr2 = '해운대구' WHERE memID = 'off1'");
    office->local().execute(
        "INSERT INTO mem_seting(seting, set1) VALUES('apt', '대구')"); // a double left behind
    office->dialogs.answerNext(DialogAnswer::No);
    EXPECT_FALSE(actions().resetRegions());
    EXPECT_EQ(actions().regions().value("land"), (RegionDefault{"경기", "성남시", ""}));

    office->answerYes();
    ASSERT_TRUE(actions().resetRegions()) << office->dialogs.lastText().toStdString();
    EXPECT_EQ(office->dialogs.lastText(), "정보를 초기화 하였습니다.");
    for (const RegionDefault& region : actions().regions())
        EXPECT_EQ(region, (RegionDefault{"부산", "해운대구", ""}));
    EXPECT_EQ(regionRows(), 4) << "one row per key after the reset";

    // Without the server the reset is refused before anything is asked or changed.
    regions = actions().regions();
    regions["villa"] = {"인천", "남동구", ""};
    ASSERT_TRUE(actions().saveRegions(regions));
    office->goOffline();
    ASSERT_FALSE(office->session().reachServer());
    const int asked = office->dialogs.shown().size();
    EXPECT_FALSE(actions().resetRegions());
    ASSERT_EQ(office->dialogs.shown().size(), asked + 1) << "the refusal only, no question";
    EXPECT_EQ(office->dialogs.shown().last().title, "인터넷연결");
    EXPECT_EQ(actions().regions().value("villa"), (RegionDefault{"인천", "남동구", ""}));
}

// Two staff members of one office keep their own colour rules; an empty number of days is kept
// empty (nothing is marked), and the font size is the office's, for every grid filled next.
TEST_P(SettingsActionsTest, ColourRulesArePerUserAndTheFontSizeIsTheOffices) {
    ColorRule mine{AgeDate::Registered, SettingsActions::swatches().at(3), 7, true};
    office->loginAs("st1");
    ASSERT_TRUE(actions().saveColorRule(mine));
    EXPECT_EQ(office->dialogs.lastText(), "폰트색상이 변경되었습니다.");

    ColorRule theirs{AgeDate::Changed, SettingsActions::swatches().at(8), std::nullopt, false};
    office->loginAs("st2");
    ASSERT_TRUE(actions().saveColorRule(theirs));
    EXPECT_EQ(actions().colorRule(), theirs);
    EXPECT_EQ(
        office->localValue("SELECT set4 FROM mem_seting WHERE seting = 'frmList_Color' AND set1 = 'st2'")
            .toString(),
        "");
    office->loginAs("st1");
    EXPECT_EQ(actions().colorRule(), mine);

    EXPECT_EQ(SettingsActions::daysOf(" 15 "), 15);
    EXPECT_EQ(SettingsActions::daysOf("1a"), std::nullopt);
    EXPECT_EQ(SettingsActions::daysOf(""), std::nullopt);

    ASSERT_TRUE(actions().saveFontSize(14));
    EXPECT_EQ(office->dialogs.lastText(), "폰트크기가 [14] 로 변경되었습니다.");
    EXPECT_EQ(office->session().state().FontSizeSet, 14);
    office->loginAs("off1");
    EXPECT_EQ(actions().fontSize(), 14);
}

INSTANTIATE_TEST_SUITE_P(Backends, SettingsActionsTest, testing::Values(Backend::Sqlite, Backend::MariaDb),
                         backendName);
