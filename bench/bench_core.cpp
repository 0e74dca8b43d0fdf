// The largest plan, 10.0.0.0 with 22 bits borrowed: 4,194,304 subnets of 4 addresses. Each
// benchmark writes every row as "number,start,end\n" into one reused line buffer, the work a
// report writer or the result lists do per row.
#include "numeric.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

using namespace tessnivar;

constexpr std::int32_t kSubnets = 4194304;
constexpr std::int32_t kHosts = 4;
constexpr WorkingAddress kNetwork{{10, 0, 0, 0}};
constexpr int kLineChars = kMaxDecimalChars + 2 * kMaxDottedQuadChars + 8;

char* WriteRow(char* out, const SubnetRow& row) noexcept {
    out = WriteDecimal(out, row.number);
    *out++ = ',';
    out = WriteDottedQuad(out, row.start);
    *out++ = ',';
    out = WriteDottedQuad(out, row.end);
    *out++ = '\n';
    return out;
}

void BM_EnumerateLargestPlanTexts(benchmark::State& state) {
    char line[kLineChars];
    std::int64_t bytes = 0;
    for (auto _ : state) {
        EnumerateSubnets(kNetwork, kHosts, kSubnets, [&](const SubnetRow& row) {
            const char* end = WriteRow(line, row);
            benchmark::DoNotOptimize(line);
            bytes += end - line;
        });
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_EnumerateLargestPlanTexts)->Unit(benchmark::kMillisecond);

// Baseline: the same lines from a plain 32-bit address, with the simplest digit loops.
char* WriteUnsigned(char* out, std::uint32_t value) noexcept {
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        *out++ = digits[--n];
    return out;
}

char* WritePlainDottedQuad(char* out, std::uint32_t address) noexcept {
    out = WriteUnsigned(out, address >> 24);
    for (int shift = 16; shift >= 0; shift -= 8) {
        *out++ = '.';
        out = WriteUnsigned(out, address >> shift & 0xFF);
    }
    return out;
}

void BM_PlainLoopBaseline(benchmark::State& state) {
    char line[kLineChars];
    std::int64_t bytes = 0;
    for (auto _ : state) {
        std::uint32_t address = 10u << 24;
        for (std::uint32_t n = 0; n < kSubnets; ++n, address += kHosts) {
            char* out = WriteUnsigned(line, n);
            *out++ = ',';
            out = WritePlainDottedQuad(out, address);
            *out++ = ',';
            out = WritePlainDottedQuad(out, address + kHosts - 1);
            *out++ = '\n';
            benchmark::DoNotOptimize(line);
            bytes += out - line;
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_PlainLoopBaseline)->Unit(benchmark::kMillisecond);

// Every row of the plan made on demand, by number, as the result lists ask for them.
void BM_RowsOnDemandLargestPlan(benchmark::State& state) {
    const SubnetRows rows(kNetwork, kHosts, kSubnets);
    char line[kLineChars];
    std::int64_t bytes = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const char* end = WriteRow(line, rows.row(i));
            benchmark::DoNotOptimize(line);
            bytes += end - line;
        }
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BM_RowsOnDemandLargestPlan)->Unit(benchmark::kMillisecond);

} // namespace
