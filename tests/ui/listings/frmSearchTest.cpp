#include "listings/frmSearch.h"
#include "GridDriver.h"
#include "TestOffice.h"
#include "listings/SearchPanel.h"
#include "listings/frmList.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

class frmSearchTest : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make({Backend::Sqlite, Desk::Demo, listsAfternoon()});
        ASSERT_TRUE(office);
        window = std::make_unique<frmList>(office->session());
        window->resize(1200, 800);
        window->show();
        control<QLineEdit>(window.get(), "txtCount")->setText(QStringLiteral("500"));
        window->search({});
        grid = control<QTableView>(window.get(), "lvMy");
    }

    frmSearch* openSearch() {
        click(window.get(), "cmdDetail");
        return window->findChild<frmSearch*>();
    }
    static void type(frmSearch* search, const char* name, const QString& text) {
        QLineEdit* box = search->findChild<QLineEdit*>(QLatin1String(name));
        if (!box)
            box = search->findChild<QComboBox*>(QLatin1String(name))->lineEdit();
        box->setFocus();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 128;
        if (ascii)
            QTest::keyClicks(box, text);
        else
            box->setText(text); // Hangul comes from the input method, not as keys
    }
    int stored(const QString& where) {
        return office
            ->localValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = 'demo' AND ") + where)
            .toInt();
    }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<frmList> window;
    QTableView* grid = nullptr;
};

} // namespace

// The window's boxes reach the list: an amount typed with separators counts as a number, and
// the list reloads with exactly the listings that match.
TEST_F(frmSearchTest, TheSearchReloadsTheListWithTheTypedCriteria) {
    frmSearch* search = openSearch();
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->windowTitle(), frmSearch::titleText());
    type(search, "m_m1", QStringLiteral("50,000"));
    click(search, "cmdSearch");
    const int expected = stored(QStringLiteral("money_m >= 50000 AND (state <> 2 OR state IS NULL)"));
    ASSERT_GT(expected, 0);
    EXPECT_EQ(grid->model()->rowCount(), expected);
    EXPECT_TRUE(window->findChildren<frmSearch*>().isEmpty() ||
                !window->findChild<frmSearch*>()->isVisible());

    // Quotes and wildcards in a text box are searched for as typed.
    search = openSearch();
    type(search, "Keyword", QStringLiteral("' % _ ;--"));
    click(search, "cmdSearch");
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_TRUE(office->dialogs.shown().isEmpty());
}

TEST_F(frmSearchTest, ABoxWithoutANumberIsNamedAndCancelEmptiesTheWindow) {
    frmSearch* search = openSearch();
    const int before = grid->model()->rowCount();
    search->findChild<QComboBox*>(QStringLiteral("pyung1"))->setEditText(QStringLiteral("넓게"));
    click(search, "cmdSearch");
    EXPECT_EQ(office->dialogs.lastText(), SearchPanel::notANumberText(QStringLiteral("대지 / 평")));
    EXPECT_TRUE(search->isVisible());
    EXPECT_EQ(grid->model()->rowCount(), before);

    type(search, "Keyword", QStringLiteral("남향"));
    click(search, "cmdCancel");
    const std::optional<ListFilter> cleared = search->readOrTell();
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->detailed, DetailedSearch{}) << "every box back to empty, the listing box chosen";
}
