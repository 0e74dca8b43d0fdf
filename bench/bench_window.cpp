// The result lists on the largest plan (10.0.0.0 with 22 bits borrowed: 4,194,304 rows), in the
// real window, offscreen: Calculate from the click until the three lists are laid out and
// painted, next to three plain list views (uniform item sizes) over the same rows made on demand,
// in the same run; the linked selection of a row far down; and a key typed to find a row.
#include "result_rows_model.h"
#include "scripted_services.h"
#include "planner_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace tessnivar;

namespace {

constexpr int kLargestPlan = 4194304;

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Lays out and paints each view at once, as the first frame after the click would.
void LayOutAndPaint(const QList<QAbstractItemView*>& views) {
    for (QAbstractItemView* view : views) {
        view->doItemsLayout();
        benchmark::DoNotOptimize(view->verticalScrollBar()->maximum());
        view->viewport()->repaint();
    }
}

// A shown window set to 10.0.0.0 with 22 bits borrowed, the largest plan.
struct LargestPlanWindow {
    ScriptedServices services;
    PlannerWindow window{services};

    LargestPlanWindow() {
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("octetEdit0"))->setText(QStringLiteral("10"));
        window.findChild<QLineEdit*>(QStringLiteral("octetEdit1"))->setText(QStringLiteral("0"));
        window.findChild<QSpinBox*>(QStringLiteral("bitsSpinner"))->setValue(22);
        QApplication::processEvents();
    }

    QAbstractItemView* list(const char* name) {
        return window.findChild<QAbstractItemView*>(QLatin1String(name));
    }

    void calculateAndShow() {
        window.findChild<QPushButton*>(QStringLiteral("calculateButton"))->click();
        LayOutAndPaint({list("subnetList"), list("startList"), list("endList")});
    }
};

void BM_CalculateLargestPlan(benchmark::State& state) {
    LargestPlanWindow plan;
    for (auto _ : state)
        plan.calculateAndShow();
    if (plan.list("endList")->model()->rowCount() != kLargestPlan)
        state.SkipWithError("the lists do not hold the largest plan");
    // Measured before the baseline below adds views of its own.
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}

// Baseline: three list views with uniform item sizes, each showing one column of one model of
// the same rows made on demand, shown side by side at the window's sizes.
void BM_ThreePlainListViewsBaseline(benchmark::State& state) {
    QWidget window;
    window.resize(312, 347);
    ResultRowsModel rows;
    QList<QAbstractItemView*> views;
    const int widths[] = {65, 113, 105};
    for (int column = 0; column < 3; ++column) {
        auto* view = new QListView(&window);
        view->setUniformItemSizes(true);
        view->setModel(&rows);
        view->setModelColumn(column);
        view->setGeometry(8 + 80 * column, 24, widths[column], 147);
        views << view;
    }
    window.show();
    QApplication::processEvents();
    for (auto _ : state) {
        rows.setRows(SubnetRows({{10, 0, 0, 0}}, 4, kLargestPlan));
        LayOutAndPaint(views);
    }
}

void BM_SelectRowFourMillion(benchmark::State& state) {
    LargestPlanWindow plan;
    plan.calculateAndShow();
    QAbstractItemView* start = plan.list("startList");
    int row = 4000000;
    for (auto _ : state) {
        start->setCurrentIndex(start->model()->index(row, 1));
        QApplication::processEvents();
        row = row == 4000000 ? 4000001 : 4000000;
    }
    if (start->model()->rowCount() != kLargestPlan ||
        plan.list("endList")->currentIndex().row() != start->currentIndex().row())
        state.SkipWithError("the selection was not carried");
}

// A key typed into a list of the largest plan, from the key to the row found, selected and
// carried to all three lists. Every key starts a new search from the row after the current one:
// the subnet list looks for the next number beginning with the digit, the start list for the next
// address beginning with "1" (the next row) or with another digit (none, after every row).
void BM_TypeAheadKeyLargestPlan(benchmark::State& state) {
    LargestPlanWindow plan;
    plan.calculateAndShow();
    QApplication::setKeyboardInputInterval(-1);
    QAbstractItemView* lists[] = {plan.list("subnetList"), plan.list("startList")};
    int key = 0;
    for (auto _ : state) {
        const QString digit = QString::number(1 + key % 9);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_1 + key % 9, Qt::NoModifier, digit);
        QApplication::sendEvent(lists[key % 2], &press);
        ++key;
    }
    if (plan.list("endList")->currentIndex().row() != lists[(key - 1) % 2]->currentIndex().row())
        state.SkipWithError("the selection was not carried");
}

// One Calculate per repetition: every run builds the lists afresh.
void FiveRuns(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_CalculateLargestPlan)->Apply(FiveRuns);
BENCHMARK(BM_ThreePlainListViewsBaseline)->Apply(FiveRuns);
BENCHMARK(BM_SelectRowFourMillion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TypeAheadKeyLargestPlan)->Unit(benchmark::kMillisecond)->Repetitions(5);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
