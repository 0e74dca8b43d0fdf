// Writing the report files of the largest plan (Class A 10.0.0.0 with 22 bits borrowed:
// 4,194,304 rows), next to a plain fwrite of the same bytes from memory in the same run.
// Medians of 5 runs; the growth of peak resident memory while a file is written shows that
// writing streams. Files go to /dev/shm when it exists, so the disk is not what is measured.

#include "report_content.h"
#include "report_files.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"

#include <QDir>
#include <QFile>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

namespace {

using namespace tessnivar;

struct LargestPlan {
    ReportFields fields{{"10", "0", "0", "0"}, "255.255.255.252", "22", "4194304", "4"};
    ReportFigures figures = *ComputeReportFigures(fields);
    SubnetRows rows{WorkingAddress{{10, 0, 0, 0}}, 4, 4194304};
};

const LargestPlan& Plan() {
    static const LargestPlan plan;
    return plan;
}

enum class Form { Csv, Text };

QString OutputFile(const char* name) {
    const QString dir = QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return dir + "/tessnivar-bench-" + QString::fromLatin1(name);
}

Status WriteReport(Form form, const QString& fileName) {
    const LargestPlan& plan = Plan();
    return WriteReportFile(fileName, form == Form::Csv ? ReportForm::Csv : ReportForm::Text,
                           plan.fields, plan.figures, plan.rows);
}

// A field of /proc/self/status, in kB ("VmRSS:" now, "VmHWM:" the peak since ResetPeakRss).
double StatusKb(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == key) {
            double kb = 0;
            status >> kb;
            return kb;
        }
    }
    return 0;
}

void ResetPeakRss() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

void WriteReportFile(benchmark::State& state, Form form, const char* name) {
    Plan();
    const QString file = OutputFile(name);
    ResetPeakRss();
    const double before = StatusKb("VmRSS:");
    for (auto _ : state) {
        if (const Status written = WriteReport(form, file); !written.ok()) {
            state.SkipWithError(written.error().reason.c_str());
            break;
        }
    }
    state.counters["peak_rss_growth_MB"] = (StatusKb("VmHWM:") - before) / 1024;
    state.SetBytesProcessed(state.iterations() * QFile(file).size());
    QFile::remove(file);
}

// The bytes the report writer produces, made once and kept in memory.
const std::string& ReportBytes(Form form) {
    static std::map<Form, std::string> bytes;
    auto [entry, isNew] = bytes.try_emplace(form);
    if (isNew) {
        const QString file = OutputFile("bytes");
        if (WriteReport(form, file).ok()) {
            QFile read(file);
            if (read.open(QIODevice::ReadOnly))
                entry->second = read.readAll().toStdString();
        }
        QFile::remove(file);
    }
    return entry->second;
}

void FwriteBytes(benchmark::State& state, Form form, const char* name) {
    const std::string& bytes = ReportBytes(form);
    const std::string file = QFile::encodeName(OutputFile(name)).toStdString();
    for (auto _ : state) {
        std::FILE* out = std::fopen(file.c_str(), "wb");
        bool ok = out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
        ok = out && std::fclose(out) == 0 && ok;
        if (!ok || bytes.empty()) {
            state.SkipWithError("fwrite failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
    std::remove(file.c_str());
}

// One timed write per repetition: each writes a whole file of the largest plan.
void FiveSingleWrites(benchmark::internal::Benchmark* b) {
    b->Iterations(1)->Repetitions(5)->UseRealTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(WriteReportFile, csv, Form::Csv, "plan.csv")->Apply(FiveSingleWrites);
BENCHMARK_CAPTURE(FwriteBytes, csv, Form::Csv, "fwrite.csv")->Apply(FiveSingleWrites);
BENCHMARK_CAPTURE(WriteReportFile, text, Form::Text, "plan.txt")->Apply(FiveSingleWrites);
BENCHMARK_CAPTURE(FwriteBytes, text, Form::Text, "fwrite.txt")->Apply(FiveSingleWrites);

// The console report, then each writer's median against the fwrite median of its bytes.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }

    void PrintRatios() const {
        for (const char* form : {"csv", "text"}) {
            const auto writer = medians_.find(std::string("WriteReportFile/") + form);
            const auto baseline = medians_.find(std::string("FwriteBytes/") + form);
            if (writer == medians_.end() || baseline == medians_.end())
                continue;
            std::printf("%-4s file: median %.1f ms, fwrite of the same bytes %.1f ms, ratio %.2f\n",
                        form, writer->second, baseline->second, writer->second / baseline->second);
        }
    }

private:
    std::map<std::string, double> medians_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
