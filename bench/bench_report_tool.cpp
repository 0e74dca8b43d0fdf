// The command-line tool writing the largest plan (10.0.0.0 with 22 bits borrowed: 4,194,304
// records) as CSV into a file, timed as a whole process next to sipcalc splitting the same /8
// into /30s and dd copying the same number of bytes, all into files in the same run. Each
// benchmark reports the child's peak resident memory. The files go to the temporary folder, a
// real file system, so the tool's sync on commit is part of its time. The paired benchmark runs
// the tool and dd with conv=fsync, which syncs as the tool does, one after the other in each
// iteration, so both meet the same load of a shared machine; its medians are the measure.

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

fs::path OutputFile(const char* name) {
    return fs::temp_directory_path() / (std::string("tessnivar-bench-") + name);
}

// How a child process ended: its exit status (-1 when it did not start or exit normally) and
// its peak resident memory in kB.
struct ChildRun {
    int status = -1;
    long peakKb = 0;
};

// Runs command, its standard output into stdoutFile when one is given.
ChildRun Spawn(const std::vector<std::string>& command, const fs::path& stdoutFile = {}) {
    std::vector<char*> argv;
    for (const std::string& argument : command)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!stdoutFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ChildRun run;
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        rusage usage{};
        int status = 0;
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status))
            run.status = WEXITSTATUS(status);
        run.peakKb = usage.ru_maxrss;
    }
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

void RunCommand(benchmark::State& state, const std::vector<std::string>& command,
                const fs::path& output, bool outputIsStdout) {
    long peakKb = 0;
    for (auto _ : state) {
        const ChildRun run = Spawn(command, outputIsStdout ? output : fs::path());
        if (run.status != 0) {
            state.SkipWithError((command[0] + " failed").c_str());
            return;
        }
        peakKb = std::max(peakKb, run.peakKb);
    }
    state.counters["peak_MB"] = static_cast<double>(peakKb) / 1024.0;
    state.counters["file_MB"] = static_cast<double>(fs::file_size(output)) / 1e6;
    fs::remove(output);
}

constexpr std::uintmax_t kLargestCsvBytes = 151653850;

void BM_ReportToolCsv(benchmark::State& state) {
    const fs::path output = OutputFile("tool.csv");
    RunCommand(state, {TESSNIVAR_REPORT_TOOL, "--csv", "-o", output, "10.0.0.0", "22"}, output,
               false);
}

void BM_Sipcalc(benchmark::State& state) {
    const fs::path output = OutputFile("sipcalc.txt");
    RunCommand(state, {"sipcalc", "10.0.0.0/8", "-s", "30"}, output, true);
}

void BM_DdSameBytes(benchmark::State& state) {
    const fs::path output = OutputFile("dd.bin");
    RunCommand(state,
               {"dd", "if=/dev/zero", "of=" + output.string(), "bs=1M", "iflag=count_bytes",
                "count=" + std::to_string(kLargestCsvBytes), "status=none"},
               output, false);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall seconds of command, its output then removed; negative when it failed.
double WallSeconds(const std::vector<std::string>& command, const fs::path& output) {
    const auto start = std::chrono::steady_clock::now();
    const ChildRun run = Spawn(command);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    fs::remove(output);
    return run.status == 0 ? elapsed.count() : -1;
}

void BM_ReportToolCsvVsDdFsync(benchmark::State& state) {
    const fs::path toolOutput = OutputFile("paired.csv");
    const fs::path ddOutput = OutputFile("paired.bin");
    std::vector<double> tool, dd, ratio;
    for (auto _ : state) {
        tool.push_back(WallSeconds(
            {TESSNIVAR_REPORT_TOOL, "--csv", "-o", toolOutput, "10.0.0.0", "22"}, toolOutput));
        dd.push_back(WallSeconds({"dd", "if=/dev/zero", "of=" + ddOutput.string(), "bs=1M",
                                  "iflag=count_bytes", "count=" + std::to_string(kLargestCsvBytes),
                                  "conv=fsync", "status=none"},
                                 ddOutput));
        if (tool.back() < 0 || dd.back() < 0) {
            state.SkipWithError("the tool or dd failed");
            return;
        }
        ratio.push_back(tool.back() / dd.back());
    }
    state.counters["tool_s_median"] = Median(tool);
    state.counters["dd_fsync_s_median"] = Median(dd);
    state.counters["ratio_median"] = Median(ratio);
}

} // namespace

BENCHMARK(BM_ReportToolCsvVsDdFsync)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(9);
BENCHMARK(BM_ReportToolCsv)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_Sipcalc)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);
BENCHMARK(BM_DdSameBytes)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5);

BENCHMARK_MAIN();
