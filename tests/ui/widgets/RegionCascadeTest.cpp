#include "ui/widgets/RegionCascade.h"
#include "PostalRows.h"
#include "TestOffice.h"
#include "ui/widgets/RegionBox.h"

#include "WidgetControls.h"
#include <QComboBox>
#include <QHBoxLayout>

using namespace teran;
using namespace teran::test;

namespace {

void choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
}

// A window with region combos of its own layout, as the search windows have them.
class SearchPanel : public QWidget {
public:
    SearchPanel() {
        auto* row = new QHBoxLayout(this);
        for (QComboBox** box : {&addr1, &addr2, &addr3}) {
            *box = new QComboBox(this);
            row->addWidget(*box);
        }
        addr1->setObjectName(QStringLiteral("addr1"));
        addr2->setObjectName(QStringLiteral("addr2"));
        addr3->setObjectName(QStringLiteral("addr3"));
    }
    QComboBox* addr1;
    QComboBox* addr2;
    QComboBox* addr3;
};

class RegionCascadeTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(office, nullptr);
        addSamplePosts(office->local());
    }
    std::unique_ptr<TestOffice> office = TestOffice::make(Backend::Sqlite, Desk::Office);
};

} // namespace

TEST_F(RegionCascadeTest, ChoicesFillTheLowerCombosAndValuesComeBackOut) {
    SearchPanel panel;
    RegionCascade* cascade = RegionCascade::attach(office->session(), &panel);
    ASSERT_NE(cascade, nullptr);
    EXPECT_EQ(itemsOf(panel.addr2), QStringList{QStringLiteral("시/군/구")});
    EXPECT_EQ(itemsOf(panel.addr3), QStringList{QStringLiteral("읍/면/동")});
    cascade->loadRegions();
    EXPECT_EQ(itemsOf(panel.addr1), (QStringList{QStringLiteral("지역"), QStringLiteral("경기"),
                                                 QStringLiteral("부산"), QStringLiteral("서울")}));

    choose(panel.addr1, QStringLiteral("서울"));
    EXPECT_EQ(itemsOf(panel.addr2),
              (QStringList{QStringLiteral("시/군/구"), QStringLiteral("강남구"), QStringLiteral("서초구")}));
    EXPECT_EQ(panel.addr2->currentIndex(), 0);
    choose(panel.addr2, QStringLiteral("강남구"));
    EXPECT_EQ(itemsOf(panel.addr3), (QStringList{QStringLiteral("읍/면/동"), QStringLiteral("삼성동"),
                                                 QStringLiteral("역삼1동"), QStringLiteral("역삼동")}));
    EXPECT_EQ(panel.addr3->currentIndex(), 0);
    choose(panel.addr3, QStringLiteral("역삼동"));
    EXPECT_EQ(cascade->values(),
              (RegionValues{QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼동")}));

    // Going back to a placeholder leaves what lies below as it was.
    choose(panel.addr2, QStringLiteral("시/군/구"));
    EXPECT_EQ(panel.addr3->currentText(), QStringLiteral("역삼동"));
    choose(panel.addr2, QStringLiteral("강남구"));
    choose(panel.addr3, QStringLiteral("역삼동"));
    choose(panel.addr1, QStringLiteral("지역"));
    EXPECT_EQ(panel.addr2->currentText(), QStringLiteral("강남구"));
    EXPECT_EQ(panel.addr3->currentText(), QStringLiteral("역삼동"));
    EXPECT_EQ(panel.addr3->count(), 4);
    EXPECT_EQ(cascade->values(),
              (RegionValues{QString(), QStringLiteral("강남구"), QStringLiteral("역삼동")}));

    // Another region replaces the districts and empties the towns.
    choose(panel.addr1, QStringLiteral("경기"));
    EXPECT_EQ(itemsOf(panel.addr2),
              (QStringList{QStringLiteral("시/군/구"), QStringLiteral("용인시 처인구")}));
    EXPECT_EQ(itemsOf(panel.addr3), QStringList{QStringLiteral("읍/면/동")});
    EXPECT_EQ(cascade->values(), (RegionValues{QStringLiteral("경기"), QString(), QString()}));

    RegionBox box(office->session());
    EXPECT_EQ(box.cascade().regions(),
              (QStringList{QStringLiteral("경기"), QStringLiteral("부산"), QStringLiteral("서울")}));
    const RegionValues gangnam{QStringLiteral("서울"), QStringLiteral("강남구"), QStringLiteral("역삼1동")};
    box.setValues(gangnam);
    EXPECT_EQ(box.values(), gangnam);
    // The town list is the district's, so the user can move on from the values set.
    EXPECT_EQ(box.cascade().addr3()->count(), 4);

    // A stored address the postal table does not know is kept, not dropped.
    const RegionValues unknown{QStringLiteral("제주"), QStringLiteral("제주시"), QStringLiteral("연동")};
    box.setValues(unknown);
    EXPECT_EQ(box.values(), unknown);
    box.setValues({});
    EXPECT_EQ(box.values(), RegionValues{});

    // A window's own fixed region list still takes its districts from the postal table.
    const QStringList fixed{QStringLiteral("서울"), QStringLiteral("인천"), QStringLiteral("경기")};
    box.cascade().setRegions(fixed);
    EXPECT_EQ(box.cascade().regions(), fixed);
    EXPECT_EQ(box.values(), RegionValues{});
    box.setValues({QStringLiteral("경기"), QStringLiteral("용인시 처인구"), QStringLiteral("역삼동")});
    EXPECT_EQ(box.cascade().addr3()->findText(QStringLiteral("역삼동")), 1);
    EXPECT_EQ(box.cascade().addr3()->count(), 2);
}
