// The report: the window's texts (four octets, mask, bits, subnets, hosts), one a line, and
// after them rows of 68 bytes each (the number and the eight octets of the start and the end
// address, native byte order) go through the figures, the opening lines and both table forms.
#include "fuzz_input.h"
#include "report_content.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <vector>

using namespace tessnivar;

namespace {

constexpr std::size_t kRowBytes = 4 + 8 * 8;
constexpr std::size_t kMaxRows = 16;

std::vector<SubnetRow> ReadRows(std::string_view bytes) {
    std::vector<SubnetRow> rows;
    for (; bytes.size() >= kRowBytes && rows.size() < kMaxRows; bytes.remove_prefix(kRowBytes)) {
        SubnetRow row;
        std::memcpy(&row.number, bytes.data(), 4);
        std::memcpy(row.start.octet.data(), bytes.data() + 4, 32);
        std::memcpy(row.end.octet.data(), bytes.data() + 36, 32);
        rows.push_back(row);
    }
    return rows;
}

bool OneLine(std::string_view line) {
    return line.find_first_of("\r\n") == std::string_view::npos;
}

// The part of line between after and before, which must end the line.
std::string_view Between(std::string_view line, std::string_view after, std::string_view before) {
    const std::size_t from = line.rfind(after);
    FUZZ_REQUIRE(from != std::string_view::npos && line.ends_with(before));
    const std::size_t begin = from + after.size();
    FUZZ_REQUIRE(begin + before.size() <= line.size());
    return line.substr(begin, line.size() - before.size() - begin);
}

// A number text reads back as the value it stands for, to its 15 significant digits.
void CheckNumber(std::string_view text, double value) {
    const std::string copy(text);
    char* end = nullptr;
    const double read = std::strtod(copy.c_str(), &end);
    FUZZ_REQUIRE(!copy.empty() && end == copy.c_str() + copy.size());
    FUZZ_REQUIRE(copy.find_first_not_of("0123456789.-+E") == std::string::npos);
    FUZZ_REQUIRE(std::fabs(read - value) <= std::fabs(value) * 1e-14);
}

// The "##.##" picture: "-" only before a non-zero value, no leading zero, the point, at most two
// decimals without a trailing zero; and it names the value rounded to two decimals.
void CheckPercent(std::string_view text, float value) {
    std::string_view rest = text;
    const bool negative = rest.starts_with('-');
    if (negative)
        rest.remove_prefix(1);
    const std::size_t point = rest.find('.');
    FUZZ_REQUIRE(point != std::string_view::npos);
    const std::string_view whole = rest.substr(0, point);
    const std::string_view decimals = rest.substr(point + 1);
    FUZZ_REQUIRE(whole.find_first_not_of("0123456789") == std::string_view::npos);
    FUZZ_REQUIRE(decimals.find_first_not_of("0123456789") == std::string_view::npos);
    FUZZ_REQUIRE(!whole.starts_with('0') && decimals.size() <= 2 && !decimals.ends_with('0'));
    FUZZ_REQUIRE(!negative || rest.find_first_of("123456789") != std::string_view::npos);
    const double read = std::strtod(std::string(text).c_str(), nullptr);
    const double exact = value;
    FUZZ_REQUIRE(std::fabs(read - exact) <= 0.005 + std::fabs(exact) * 0x1p-23);
}

// Each centred cell holds its text with at least 20 characters, the odd space behind.
void CheckColumns(std::string_view line, const std::vector<std::string>& cells) {
    for (const std::string& cell : cells) {
        const std::size_t width = std::max<std::size_t>(kColumnWidth, cell.size());
        FUZZ_REQUIRE(line.size() >= width);
        const std::string_view column = line.substr(0, width);
        const std::size_t before = column.find_first_not_of(' ');
        FUZZ_REQUIRE(column.substr(before, cell.size()) == cell);
        const std::size_t behind = width - before - cell.size();
        FUZZ_REQUIRE(column.find_first_not_of(' ', before + cell.size()) == std::string::npos);
        FUZZ_REQUIRE(behind == before || behind == before + 1);
        line.remove_prefix(width);
    }
    FUZZ_REQUIRE(line.empty());
}

void CheckRecord(std::string_view line, const std::vector<std::string>& fields) {
    for (std::size_t k = 0; k < fields.size(); ++k) {
        const std::size_t comma = line.find(',');
        FUZZ_REQUIRE((comma == std::string_view::npos) == (k + 1 == fields.size()));
        FUZZ_REQUIRE(line.substr(0, comma) == fields[k]);
        line.remove_prefix(comma == std::string_view::npos ? line.size() : comma + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::SplitInput<8>(data, size);
    const auto& t = input.texts;
    const ReportFields fields{{t[0], t[1], t[2], t[3]}, t[4], t[5], t[6], t[7]};

    const std::string centred = CenterInColumn(fields.mask);
    FUZZ_REQUIRE(centred.size() >= kColumnWidth && centred.find(fields.mask) != std::string::npos);

    const auto figures = ComputeReportFigures(fields);
    if (!figures)
        return 0;
    const auto lines = OpeningLines(fields, *figures);
    for (const std::string& line : lines)
        FUZZ_REQUIRE(OneLine(line));
    CheckNumber(Between(lines[9], " (", " usable)"), figures->usableSubnets);
    CheckNumber(Between(lines[10], " (", " usable)"), figures->usableHosts);
    const std::string_view totals = Between(lines[11], "Total Number of Hosts: ", " usable)");
    const std::size_t open = totals.find(" (");
    FUZZ_REQUIRE(open != std::string_view::npos);
    CheckNumber(totals.substr(0, open), figures->totalHosts);
    CheckNumber(totals.substr(open + 2), figures->totalUsable);
    CheckPercent(Between(lines[12], "Total Percent of Addresses: ", "%"), figures->usedPercent);
    CheckPercent(Between(lines[13], "Percent of Wasted Addresses: ", "%"), figures->wastedPercent);

    const std::string header = ColumnHeader();
    FUZZ_REQUIRE(header.size() == 3 * kColumnWidth);
    CheckColumns(header, {"Subnet Number", "Start IP", "End IP"});
    CheckRecord(CsvHeader(), {"Subnet Number", "Start IP", "End IP"});

    // Rows are written into buffers of exactly the room each writer asks for, so a write past it
    // is caught.
    const std::vector<SubnetRow> rows = ReadRows(input.rest);
    const auto column = std::make_unique<char[]>(kMaxColumnRowChars);
    const auto record = std::make_unique<char[]>(kMaxCsvRowChars);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SubnetRow& row = rows[i];
        std::vector<std::string> cells = {std::to_string(row.number),
                                          fuzz::DottedQuad(row.start.octet),
                                          fuzz::DottedQuad(row.end.octet)};
        const bool marked = IsMarkedRow(i, rows.size());
        if (marked)
            cells.emplace_back("UNUSABLE");
        const std::string_view columnLine(column.get(),
                                          WriteColumnRow(column.get(), row, marked) - column.get());
        FUZZ_REQUIRE(OneLine(columnLine));
        CheckColumns(columnLine, cells);
        const std::string_view csvLine(record.get(),
                                       WriteCsvRow(record.get(), row, marked) - record.get());
        FUZZ_REQUIRE(OneLine(csvLine));
        CheckRecord(csvLine, cells);
    }
    return 0;
}
