#include "ui/listings/frmSearch.h"
#include "OwnListFixture.h"
#include "ui/listings/SearchPanel.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

using namespace teran;
using namespace teran::test;

namespace {

class frmSearchTest : public OwnListFixture {
protected:
    void SetUp() override {
        OwnListFixture::SetUp();
        search(QStringLiteral("500"));
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
};

} // namespace

// The window's boxes reach the list: a box without a number is named and nothing is searched;
// 취소 empties every box; an amount typed with separators counts as a number and the list reloads
// with exactly the listings that match; quotes and wildcards are searched for as typed.
TEST_F(frmSearchTest, TheTypedCriteriaReloadTheListAndCancelEmptiesTheWindow) {
    frmSearch* detail = openSearch();
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->windowTitle(), frmSearch::titleText());
    const int before = grid->model()->rowCount();
    detail->findChild<QComboBox*>(QStringLiteral("pyung1"))->setEditText(QStringLiteral("넓게"));
    click(detail, "cmdSearch");
    EXPECT_EQ(office->dialogs.lastText(), SearchPanel::notANumberText(QStringLiteral("대지 / 평")));
    EXPECT_TRUE(detail->isVisible());
    EXPECT_EQ(grid->model()->rowCount(), before);

    type(detail, "Keyword", QStringLiteral("남향"));
    click(detail, "cmdCancel");
    const std::optional<ListFilter> cleared = detail->readOrTell();
    ASSERT_TRUE(cleared);
    EXPECT_EQ(cleared->detailed, DetailedSearch{}) << "every box back to empty, the listing box chosen";

    detail = openSearch();
    type(detail, "m_m1", QStringLiteral("50,000"));
    click(detail, "cmdSearch");
    const int expected = stored(QStringLiteral("money_m >= 50000 AND (state <> 2 OR state IS NULL)"));
    ASSERT_GT(expected, 0);
    EXPECT_EQ(grid->model()->rowCount(), expected);
    EXPECT_TRUE(window->findChildren<frmSearch*>().isEmpty() ||
                !window->findChild<frmSearch*>()->isVisible());

    const qsizetype told = office->dialogs.shown().size();
    detail = openSearch();
    type(detail, "Keyword", QStringLiteral("' % _ ;--"));
    click(detail, "cmdSearch");
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(office->dialogs.shown().size(), told);
}
