#include "ui/register/StationPicker.h"
#include "PostalRows.h"
#include "TestOffice.h"

#include "WidgetControls.h"
#include <QComboBox>
#include <QVBoxLayout>

using namespace teran;
using namespace teran::test;

namespace {

// The two subway combos of the registration window.
class SubwayPanel : public QWidget {
public:
    SubwayPanel() {
        auto* column = new QVBoxLayout(this);
        sline = new QComboBox(this);
        sline->setObjectName(QStringLiteral("sline"));
        station = new QComboBox(this);
        station->setObjectName(QStringLiteral("station"));
        column->addWidget(sline);
        column->addWidget(station);
    }
    QComboBox* sline;
    QComboBox* station;
};

class StationPickerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(office, nullptr);
        addStation(office->local(), QStringLiteral("2호선"), QStringLiteral("역삼"));
        addStation(office->local(), QStringLiteral("2호선"), QStringLiteral("강남"));
        addStation(office->local(), QStringLiteral("신분당선"), QStringLiteral("강남"));
        addStation(office->local(), QStringLiteral("9호선"), QString());
        picker = StationPicker::attach(office->session(), &panel);
        ASSERT_NE(picker, nullptr);
        picker->fillLines();
    }
    std::unique_ptr<TestOffice> office = TestOffice::make(Backend::Sqlite, Desk::Office);
    SubwayPanel panel;
    StationPicker* picker = nullptr;
};

} // namespace

TEST_F(StationPickerTest, ALineListsItsStationsAndStoredValuesRoundTrip) {
    EXPECT_EQ(itemsOf(panel.sline), (QStringList{QStringLiteral("지하철호선"), QStringLiteral("2호선"),
                                                 QStringLiteral("9호선"), QStringLiteral("신분당선")}));
    EXPECT_EQ(itemsOf(panel.station), QStringList{QStringLiteral("역선택")});

    panel.sline->setCurrentIndex(panel.sline->findText(QStringLiteral("2호선")));
    EXPECT_EQ(itemsOf(panel.station),
              (QStringList{QStringLiteral(" 역선택 "), QStringLiteral("강남"), QStringLiteral("역삼")}));
    EXPECT_EQ(panel.station->currentIndex(), 0);
    EXPECT_TRUE(picker->station().isEmpty());
    panel.station->setCurrentIndex(2);
    EXPECT_EQ(picker->line(), QStringLiteral("2호선"));
    EXPECT_EQ(picker->station(), QStringLiteral("역삼"));

    // A line without stations leaves only the blanked placeholder.
    panel.sline->setCurrentIndex(panel.sline->findText(QStringLiteral("9호선")));
    EXPECT_EQ(itemsOf(panel.station), QStringList{QStringLiteral(" 역선택 ")});
    EXPECT_TRUE(picker->station().isEmpty());

    // Back at the placeholder line, no station is kept without its line.
    panel.sline->setCurrentIndex(panel.sline->findText(QStringLiteral("신분당선")));
    panel.station->setCurrentIndex(1);
    panel.sline->setCurrentIndex(0);
    EXPECT_EQ(itemsOf(panel.station), QStringList{QStringLiteral("역선택")});
    EXPECT_TRUE(picker->line().isEmpty());
    EXPECT_TRUE(picker->station().isEmpty());

    picker->setValues(QStringLiteral("신분당선"), QStringLiteral("강남"));
    EXPECT_EQ(picker->line(), QStringLiteral("신분당선"));
    EXPECT_EQ(picker->station(), QStringLiteral("강남"));

    picker->setValues(QStringLiteral("경의중앙선"), QStringLiteral("서빙고"));
    EXPECT_EQ(picker->line(), QStringLiteral("경의중앙선"));
    EXPECT_EQ(picker->station(), QStringLiteral("서빙고"));

    picker->setValues(QString(), QStringLiteral("강남"));
    EXPECT_EQ(panel.sline->currentText(), QStringLiteral("지하철호선"));
    EXPECT_EQ(itemsOf(panel.station), QStringList{QStringLiteral("역선택")});
    EXPECT_TRUE(picker->station().isEmpty());

    // Filling the lines again starts over.
    picker->setValues(QStringLiteral("2호선"), QStringLiteral("역삼"));
    picker->fillLines();
    EXPECT_TRUE(picker->line().isEmpty());
    EXPECT_EQ(itemsOf(panel.station), QStringList{QStringLiteral("역선택")});
}
