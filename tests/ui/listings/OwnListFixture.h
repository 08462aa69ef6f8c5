#pragma once

#include "GridDriver.h"
#include "ScriptedChoices.h"
#include "TestOffice.h"
#include "ui/listings/ListingTableModel.h"
#include "ui/listings/frmList.h"

#include <QLineEdit>
#include <QTableView>

namespace teran::test {

// The demo office's own list window on a March afternoon, its choosers answering from queues.
class OwnListFixture : public testing::Test {
protected:
    void SetUp() override {
        office = TestOffice::make({Backend::Sqlite, Desk::Demo, listsAfternoon()});
        ASSERT_TRUE(office);
        open();
    }

    // The window (again), as the main window opens it.
    void open() {
        window = std::make_unique<frmList>(office->session());
        auto scripted = std::make_unique<ScriptedChoices>();
        choices = scripted.get();
        window->setChoices(std::move(scripted));
        window->resize(1200, 800);
        window->show();
        grid = control<QTableView>(window.get(), "lvMy");
    }

    // Searches with `rows` in the page-size box.
    void search(const QString& rows) {
        control<QLineEdit>(window.get(), "txtCount")->setText(rows);
        window->search({});
    }

    // The numbers the grid shows, top to bottom.
    QList<int> numbers() {
        QList<int> shown;
        for (const QString& text : columnTexts(grid, QStringLiteral("번호")))
            shown << text.toInt();
        return shown;
    }

    // Ticks the rows; the numbers of their listings.
    QList<int> tick(const QList<int>& rows) {
        QList<int> ticked;
        for (int row : rows) {
            model()->setTicked(row, true);
            ticked << model()->item(row)->number;
        }
        return ticked;
    }

    // How many of the demo office's listings the office database holds `where`.
    int stored(const QString& where) {
        return office
            ->localValue(QStringLiteral("SELECT COUNT(*) FROM maemul WHERE id = 'demo' AND ") + where)
            .toInt();
    }

    const ScriptedDialogs::Shown& last() { return office->dialogs.shown().last(); }
    ListingTableModel* model() { return window->model(); }

    std::unique_ptr<TestOffice> office;
    std::unique_ptr<frmList> window;
    ScriptedChoices* choices = nullptr;
    QTableView* grid = nullptr;
};

} // namespace teran::test
