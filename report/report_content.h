#pragma once

#include "subnet_row.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tessnivar {

// The window's texts as they stand at the moment of output, in UTF-8.
struct ReportFields {
    std::array<std::string, 4> octets;
    std::string mask;
    std::string bits;
    std::string subnets;
    std::string hosts;
};

// The counts and percentages of the summary, from the subnets and hosts texts alone.
struct ReportFigures {
    double subnets = 0;       // S
    double hosts = 0;         // H
    double usableSubnets = 0; // S - 2; 1 when S is exactly 1 (an unsubnetted network)
    double usableHosts = 0;   // H - 2
    double totalHosts = 0;    // S * H
    double totalUsable = 0;   // usable hosts * usable subnets
    float usedFraction = 0;   // f: total usable / total, rounded to single precision
    float usedPercent = 0;    // P: f as a percentage of two decimals, halves up
    float wastedPercent = 0;  // W: 100 - P
};

// Width of one table column in characters.
inline constexpr int kColumnWidth = 20;

// Room WriteColumnRow and WriteCsvRow need at out: the longest row and two bytes that the
// dotted-quad writer may scribble past its end.
inline constexpr int kMaxColumnRowChars = 3 * kMaxDottedQuadChars + kColumnWidth + 2;
inline constexpr int kMaxCsvRowChars = 3 * kMaxDottedQuadChars + 2 + 9 + 2;

// Figures of the subnets and hosts texts; nullopt when the used fraction cannot be computed
// (H * S is zero, or any figure is infinite or not a number), so the report must be refused.
[[nodiscard]] std::optional<ReportFigures> ComputeReportFigures(const ReportFields& fields);
// The same from the counts themselves.
[[nodiscard]] std::optional<ReportFigures> ComputeReportFigures(double subnets, double hosts);

// count spaces; none for a count of 0 or less.
[[nodiscard]] std::string MakeSpaces(std::int16_t count);

// text centred in a 20-character column, an odd space going behind; a text of 20 characters or
// more is returned unchanged. Characters are UTF-8 code points.
[[nodiscard]] std::string CenterInColumn(std::string_view text);

// A count as the summary writes it: 15 significant digits, plain decimal ("-" for negatives, no
// point when whole) while the decimal exponent lies in -4 to 14, otherwise exponent form "1E+20",
// "1.5E-07" (the C "%.15g" rule with a capital E).
[[nodiscard]] std::string NumberText(double value);

// A percentage in the "##.##" picture: the single's shortest decimal form rounded to two
// decimals, halves away from zero; no leading zero, the point always, trailing zeros dropped,
// "-" for negatives ("50.", ".78", "-100."). A value that rounds to 0 is ".". value is finite.
[[nodiscard]] std::string PercentText(float value);

// Report lines 1 to 15: title, empty, the three reminder lines, empty, the eight summary lines,
// empty.
[[nodiscard]] std::array<std::string, 15> OpeningLines(const ReportFields& fields,
                                                       const ReportFigures& figures);

// Index of the first of the reminder lines 2 to 6 in OpeningLines, and one past the last.
inline constexpr std::size_t kReminderBegin = 1;
inline constexpr std::size_t kReminderEnd = 6;

// The table header in column form: three centred column names, 60 characters.
[[nodiscard]] std::string ColumnHeader();

// The table header record of the CSV file.
[[nodiscard]] std::string_view CsvHeader() noexcept;

// Whether row i of n carries the "UNUSABLE" mark: the first and the last row.
[[nodiscard]] constexpr bool IsMarkedRow(std::size_t i, std::size_t n) noexcept {
    return i == 0 || i + 1 == n;
}

// Writes row in column form at out (kMaxColumnRowChars of room), the centred "UNUSABLE" column
// added when marked; returns the end. No line ending.
char* WriteColumnRow(char* out, const SubnetRow& row, bool marked) noexcept;

// The row as one line of tab-separated fields, number, start and end, as a spreadsheet takes it
// from the clipboard. No line ending.
[[nodiscard]] std::string TabSeparatedRow(const SubnetRow& row);

// Writes row as a CSV record at out (kMaxCsvRowChars of room), ",UNUSABLE" added when marked;
// returns the end. No line ending.
char* WriteCsvRow(char* out, const SubnetRow& row, bool marked) noexcept;

} // namespace tessnivar
