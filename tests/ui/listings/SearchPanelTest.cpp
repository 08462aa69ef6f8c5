#include "ui/listings/SearchPanel.h"
#include "TestOffice.h"
#include "WidgetControls.h"
#include "ui/widgets/RegionCascade.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace teran;
using namespace teran::test;

namespace {

// An office with a few listings and postal rows; the panel needs no server.
class SearchPanelTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make(Backend::Sqlite, Desk::Office);
        ASSERT_TRUE(office);
        for (const char* town : {"역삼동", "삼성동"})
            office->local().execute(
                QStringLiteral("INSERT INTO post(postno, addr1, addr2, addr3, addr4) VALUES(?,?,?,?,?)"),
                {QStringLiteral("06000"), QStringLiteral("서울"), QStringLiteral("강남구"),
                 QString::fromUtf8(town), QStringLiteral("1~9")});
        office->addOwn({{"tb", "apt"}, {"cboname", "래미안"}, {"ming", "계약중"}});
        office->addOwn({{"tb", "apt"}, {"cboname", "개나리"}, {"ming", "광고중"}});
        office->addOwn({{"tb", "villa"}, {"cboname", "청솔빌라"}, {"ming", ""}});
        office->addOwn({{"tb", "land"}, {"jimok", "전"}});
        office->addOwn({{"tb", "land"}, {"jimok", "대"}, {"ming", "계약중"}});
        panel = std::make_unique<SearchPanel>(office->session());
        panel->fillProgress();
        panel->loadRegions();
    }

    template <typename T> T* box(const char* name) {
        T* found = panel->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* line(const char* name) { return box<QLineEdit>(name); }
    void choose(const char* name, const QString& text) {
        QComboBox* combo = box<QComboBox>(name);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        combo->setCurrentIndex(index);
    }
    ListFilter readOk() {
        const SearchInput input = panel->read();
        EXPECT_TRUE(input.ok()) << input.error.toStdString();
        return input.filter.value_or(ListFilter{});
    }
    QString readError() {
        const SearchInput input = panel->read();
        EXPECT_FALSE(input.ok());
        return input.error;
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<SearchPanel> panel;
};

} // namespace

// The usual amounts come first; every entry maps to a filter of its own, none twice.
TEST_F(SearchPanelTest, TheTransactionBoxReachesEveryAmountFilterOnce) {
    QComboBox* kinds = box<QComboBox>("cboTy");
    EXPECT_EQ(itemsOf(kinds).mid(0, 2), (QStringList{QStringLiteral("금액"), QStringLiteral("매매가")}));
    QList<int> seen;
    for (int i = 0; i < kinds->count(); ++i) {
        kinds->setCurrentIndex(i);
        seen << readOk().transaction;
    }
    EXPECT_EQ(seen.first(), AnyTransaction);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (QList<int>{0, 1, 2, 3, 4, 5, 6}));
}

// Ranges are read with separators, decimals and open ends; an amount range needs its kind of
// amount, the rent range stands on its own column.
TEST_F(SearchPanelTest, RangesAreReadWithSeparatorsDecimalsAndOpenEnds) {
    line("money2")->setText(QStringLiteral("25000"));
    EXPECT_EQ(readError(), SearchPanel::amountNeedsTransactionText());
    choose("cboTy", QStringLiteral("매매가"));
    line("money1")->setText(QStringLiteral("1,000"));
    line("money4")->setText(QStringLiteral("120"));
    line("pyung1")->setText(QStringLiteral("20.5"));
    line("pyung3")->setText(QStringLiteral(" 15 "));
    line("room2")->setText(QStringLiteral("3"));
    const ListFilter f = readOk();
    EXPECT_EQ(f.amountFrom, 1000);
    EXPECT_EQ(f.amountTo, 25000);
    EXPECT_FALSE(f.rentFrom.has_value());
    EXPECT_EQ(f.rentTo, 120);
    EXPECT_DOUBLE_EQ(f.areaFrom.value_or(-1), 20.5);
    EXPECT_FALSE(f.areaTo.has_value());
    EXPECT_DOUBLE_EQ(f.usableFrom.value_or(-1), 15.0);
    EXPECT_EQ(f.roomsTo, 3);
}

// Which junk each parser refuses is the parser's test; the panel names the box it came from.
TEST_F(SearchPanelTest, BoxesThatHoldNoNumberAreNamedAndNothingIsSearched) {
    choose("cboTy", QStringLiteral("보증금"));
    for (const auto& [name, caption] : {std::pair{"money1", "금액"}, std::pair{"pyung3", "실평"}}) {
        line(name)->setText(QStringLiteral("12a"));
        EXPECT_EQ(readError(), SearchPanel::notANumberText(QString::fromUtf8(caption))) << name;
        line(name)->clear();
    }
    line("room2")->setText(QStringLiteral("1.5"));
    EXPECT_EQ(readError(), SearchPanel::notANumberText(QStringLiteral("방"))) << "rooms are whole numbers";
    line("room2")->clear();
    line("txtTidx")->setText(QStringLiteral("12;x"));
    EXPECT_EQ(readError(), SearchPanel::badNumbersText());
    line("txtTidx")->setText(QStringLiteral("12, 15 20,12"));
    EXPECT_EQ(readOk().numbers, (QList<int>{12, 15, 20}));

    line("pyung1")->setText(QStringLiteral("넓게"));
    EXPECT_FALSE(panel->readOrTell().has_value());
    EXPECT_EQ(office->dialogs.lastText(), SearchPanel::notANumberText(QStringLiteral("평형")));
}

TEST_F(SearchPanelTest, RegionNameAndProgressComeFromTheirBoxes) {
    EXPECT_EQ(itemsOf(box<QComboBox>("ming")),
              (QStringList{QStringLiteral("진행상태"), QStringLiteral("계약중"), QStringLiteral("광고중")}));
    choose("addr1", QStringLiteral("서울"));
    choose("addr2", QStringLiteral("강남구"));
    choose("addr3", QStringLiteral("삼성동"));
    choose("ming", QStringLiteral("광고중"));
    line("Keyword")->setText(QStringLiteral(" 역세권 "));

    panel->setCurrentType(QStringLiteral("apt"), QStringLiteral("아파트"), QStringLiteral("M"));
    EXPECT_EQ(itemsOf(box<QComboBox>("cboName")),
              (QStringList{QStringLiteral("아파트명"), QStringLiteral("개나리"), QStringLiteral("래미안")}));
    choose("cboName", QStringLiteral("래미안"));
    ListFilter f = readOk();
    EXPECT_EQ(f.tb, QStringLiteral("apt"));
    EXPECT_EQ(f.addr3, QStringLiteral("삼성동"));
    EXPECT_EQ(f.progress, QStringLiteral("광고중"));
    EXPECT_EQ(f.keyword, QStringLiteral("역세권"));
    EXPECT_EQ(f.name, QStringLiteral("래미안"));

    // Land searches its category; a typed name counts as well.
    panel->setCurrentType(QStringLiteral("land"), QStringLiteral("토지"), QStringLiteral("M"));
    EXPECT_EQ(itemsOf(box<QComboBox>("cboName")),
              (QStringList{QStringLiteral("지목"), QStringLiteral("대"), QStringLiteral("전")}));
    EXPECT_TRUE(readOk().name.isEmpty());
    box<QComboBox>("cboName")->setEditText(QStringLiteral("임야"));
    EXPECT_EQ(readOk().name, QStringLiteral("임야"));

    // A preset region of a shared list is chosen through the cascade.
    panel->presetRegion({QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")});
    f = readOk();
    EXPECT_EQ(f.addr3, QStringLiteral("역삼동"));
    EXPECT_EQ(
        itemsOf(box<QComboBox>("addr3")),
        (QStringList{RegionCascade::townPlaceholder(), QStringLiteral("삼성동"), QStringLiteral("역삼동")}));
}

TEST_F(SearchPanelTest, TheFreeFieldAndTheLotBoxShareOneFilter) {
    EXPECT_EQ(itemsOf(box<QComboBox>("s_gita")).mid(1), SearchPanel::freeFieldCaptions());
    line("s_gitaText")->setText(QStringLiteral("1234"));
    QSet<FreeField> fields;
    for (const QString& caption : SearchPanel::freeFieldCaptions()) {
        choose("s_gita", caption);
        const ListFilter f = readOk();
        EXPECT_EQ(f.freeValue, QStringLiteral("1234"));
        fields.insert(f.freeField);
    }
    EXPECT_EQ(fields.size(), SearchPanel::freeFieldCaptions().size()) << "each caption its own field";
    EXPECT_FALSE(fields.contains(FreeField::None));
    // A chosen field without a value searches nothing extra.
    line("s_gitaText")->clear();
    EXPECT_EQ(readOk().freeField, FreeField::None);
    // A value without its field is refused rather than dropped.
    choose("s_gita", SearchPanel::freeFieldPlaceholder());
    line("s_gitaText")->setText(QStringLiteral("홍길동"));
    EXPECT_EQ(readError(), SearchPanel::freeValueNeedsFieldText());

    line("s_gitaText")->clear();
    line("addr4")->setText(QStringLiteral("831-2"));
    ListFilter f = readOk();
    EXPECT_EQ(f.freeField, FreeField::Lot);
    EXPECT_EQ(f.freeValue, QStringLiteral("831-2"));
    choose("s_gita", QStringLiteral("매도자"));
    line("s_gitaText")->setText(QStringLiteral("홍길동"));
    EXPECT_EQ(readError(), SearchPanel::lotWithFreeFieldText());
}

TEST_F(SearchPanelTest, CancelEmptiesEveryBoxButKeepsTheType) {
    panel->setCurrentType(QStringLiteral("apt"), QStringLiteral("아파트"), QStringLiteral("W"));
    choose("cboTy", QStringLiteral("보증금"));
    choose("addr1", QStringLiteral("서울"));
    choose("cboName", QStringLiteral("개나리"));
    choose("ming", QStringLiteral("계약중"));
    choose("s_gita", QStringLiteral("비고"));
    for (const char* name : {"money1", "money2", "money3", "money4", "pyung1", "pyung2", "pyung3", "pyung4",
                             "room1", "room2", "txtTidx", "s_gitaText"})
        line(name)->setText(QStringLiteral("7"));
    line("Keyword")->setText(QStringLiteral("남향"));
    ASSERT_TRUE(panel->read().ok());

    QTest::mouseClick(box<QPushButton>("cmdCancel"), Qt::LeftButton);
    ListFilter untouched;
    untouched.tb = QStringLiteral("apt");
    EXPECT_EQ(readOk(), untouched);
    EXPECT_EQ(panel->currentTransaction(), QStringLiteral("W"));
    EXPECT_EQ(box<QComboBox>("s_gita")->currentIndex(), 0);
}

TEST_F(SearchPanelTest, NumberBoxesCheckTheKeysTyped) {
    QTest::keyClicks(line("money1"), QStringLiteral("12345"));
    EXPECT_EQ(line("money1")->text(), QStringLiteral("12,345"));
    QTest::keyClicks(line("pyung1"), QStringLiteral("25.5"));
    EXPECT_EQ(line("pyung1")->text(), QStringLiteral("25.5"));
    QTest::keyClicks(line("room1"), QStringLiteral("3x"));
    EXPECT_EQ(line("room1")->text(), QStringLiteral("3")) << "the wrong key alone is dropped";
    ASSERT_FALSE(office->dialogs.shown().isEmpty());
    EXPECT_EQ(office->dialogs.shown().last().text, QStringLiteral("숫자를 입력하십시요!"));

    // Enter in a box asks for the search.
    QSignalSpy asked(panel.get(), &SearchPanel::searchRequested);
    QTest::keyClick(line("Keyword"), Qt::Key_Return);
    QTest::mouseClick(box<QPushButton>("cmdSearch"), Qt::LeftButton);
    EXPECT_EQ(asked.size(), 2);
}
