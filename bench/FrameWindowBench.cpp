#include "BenchSupport.h"
#include "shell/frmMain.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

using namespace teran;
using namespace teran::bench;

namespace {

// Lets the window lay itself out and paint what changed, as the screen would show it.
void paintNow(QWidget& window) {
    QApplication::processEvents();
    window.repaint();
    for (QAbstractItemView* grid : window.findChildren<QAbstractItemView*>())
        grid->viewport()->repaint();
}

// Opening the frame window on an office of N listings: built, shown and painted. Beside it,
// the resident memory once it stands.
void BM_FrameWindowOpen(benchmark::State& state) {
    Session& session = BenchOffice::of(int(state.range(0))).session();
    double memory = 0;
    for (auto _ : state) {
        auto main = std::make_unique<frmMain>(session);
        main->show();
        paintNow(*main);
        state.PauseTiming();
        memory = residentMb();
        main.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["resident_mb"] = memory;
}

// The search of the open 전체매물 list, 50 rows a page: from the click on 검색 to the painted
// page, with the resident memory while the list is open.
void BM_FrameWindowSearchAllListings(benchmark::State& state) {
    Session& session = BenchOffice::of(int(state.range(0))).session();
    frmMain main(session);
    main.show();
    main.OpenListWindow(QStringLiteral("all"), QStringLiteral("전체매물"), {});
    auto* rows = main.findChild<QLineEdit*>(QStringLiteral("txtCount"));
    auto* search = main.findChild<QPushButton*>(QStringLiteral("cmdSearch"));
    if (!rows || !search) {
        state.SkipWithError("the list window or its search button is missing");
        return;
    }
    rows->setText(QStringLiteral("50"));
    paintNow(main);
    for (auto _ : state) {
        search->click();
        paintNow(main);
    }
    state.counters["resident_mb"] = residentMb();
}

} // namespace

BENCHMARK(BM_FrameWindowOpen)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_FrameWindowSearchAllListings)->Apply(addSizes)->Unit(benchmark::kMillisecond)->MinTime(0.5);
