// Calculate on the largest plan in the real window, offscreen: from the click until the three
// lists are filled and laid out; and linked selection of a row far down.
#include "scripted_services.h"
#include "subnet.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace tessnivar;

namespace {

double PeakResidentMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// A shown window set to 10.0.0.0 (or another Class A first octet) with 22 bits borrowed, the
// largest plan.
struct LargestPlanWindow {
    ScriptedServices services;
    Subnet window{services};

    explicit LargestPlanWindow(const QString& firstOctet = QStringLiteral("10")) {
        window.Form_Load();
        window.show();
        window.findChild<QLineEdit*>(QStringLiteral("txtIP0"))->setText(firstOctet);
        window.findChild<QLineEdit*>(QStringLiteral("txtIP1"))->setText(QStringLiteral("0"));
        window.findChild<QSpinBox*>(QStringLiteral("UpDown1"))->setValue(22);
        QApplication::processEvents();
    }

    void calculateAndLayOut() {
        window.findChild<QPushButton*>(QStringLiteral("cmdCalculate"))->click();
        for (const char* name : {"lstSubnet", "lstStart", "lstEnd"}) {
            auto* list = window.findChild<QAbstractItemView*>(QLatin1String(name));
            list->doItemsLayout();
            benchmark::DoNotOptimize(list->verticalScrollBar()->maximum());
        }
        QApplication::processEvents();
    }

    QAbstractItemView* list(const char* name) {
        return window.findChild<QAbstractItemView*>(QLatin1String(name));
    }
};

// Argument: the first octet; a negative one gives rows outside 0 to 255, which must stay as
// compact (peak memory is the process's, so that run shows any growth over the first).
void BM_CalculateLargestPlan(benchmark::State& state) {
    LargestPlanWindow plan(QString::number(state.range(0)));
    for (auto _ : state)
        plan.calculateAndLayOut();
    if (plan.list("lstEnd")->model()->rowCount() != 4194304)
        state.SkipWithError("the lists do not hold the largest plan");
    state.counters["peak_rss_MB"] = PeakResidentMegabytes();
}
BENCHMARK(BM_CalculateLargestPlan)->Unit(benchmark::kMillisecond)->Iterations(1)->Arg(10)->Arg(-1);

void BM_SelectRowFourMillion(benchmark::State& state) {
    LargestPlanWindow plan;
    plan.calculateAndLayOut();
    QAbstractItemView* start = plan.list("lstStart");
    int row = 4000000;
    for (auto _ : state) {
        start->setCurrentIndex(start->model()->index(row, 1));
        QApplication::processEvents();
        row = row == 4000000 ? 4000001 : 4000000;
    }
    if (plan.list("lstEnd")->currentIndex().row() != start->currentIndex().row())
        state.SkipWithError("the selection was not carried");
}
BENCHMARK(BM_SelectRowFourMillion)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
