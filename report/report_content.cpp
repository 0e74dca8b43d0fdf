#include "report_content.h"

#include "numeric.h"
#include "version.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace tessnivar {

namespace {

constexpr std::string_view kMarker = "UNUSABLE";
constexpr char kTwentySpaces[kColumnWidth + 1] = "                    ";

// Spaces before and behind a text of length characters in a column: floor(d / 2) and
// floor(d / 2 + 0.5) with d = 20 - length, which for d > 0 are d / 2 and the rest.
struct Padding {
    int before = 0;
    int behind = 0;
};

constexpr Padding PaddingFor(std::size_t length) noexcept {
    if (length >= kColumnWidth)
        return {};
    const int d = kColumnWidth - static_cast<int>(length);
    return {d / 2, d - d / 2};
}

std::size_t CodePoints(std::string_view text) noexcept {
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// Copies an ASCII text of length bytes centred into its column at out; returns the end.
char* WriteCentered(char* out, const char* text, std::size_t length) noexcept {
    const Padding padding = PaddingFor(length);
    if (padding.before + padding.behind == 0) {
        std::memcpy(out, text, length);
        return out + length;
    }
    std::memcpy(out, kTwentySpaces, kColumnWidth);
    std::memcpy(out + padding.before, text, length);
    return out + kColumnWidth;
}

char* WriteCenteredQuad(char* out, const WorkingAddress& address) noexcept {
    char text[kMaxDottedQuadChars + 2];
    return WriteCentered(out, text,
                         static_cast<std::size_t>(WriteDottedQuad(text, address) - text));
}

bool AllFinite(const ReportFigures& f) noexcept {
    return std::isfinite(f.subnets) && std::isfinite(f.hosts) && std::isfinite(f.usableSubnets) &&
           std::isfinite(f.usableHosts) && std::isfinite(f.totalHosts) &&
           std::isfinite(f.totalUsable) && std::isfinite(f.usedFraction) &&
           std::isfinite(f.usedPercent) && std::isfinite(f.wastedPercent);
}

} // namespace

std::optional<ReportFigures> ComputeReportFigures(const ReportFields& fields) {
    return ComputeReportFigures(NumericValue(fields.subnets), NumericValue(fields.hosts));
}

std::optional<ReportFigures> ComputeReportFigures(double subnets, double hosts) {
    ReportFigures f;
    f.subnets = subnets;
    f.hosts = hosts;
    f.totalHosts = f.subnets * f.hosts;
    if (f.totalHosts == 0)
        return std::nullopt;
    // An unsubnetted network has no subnet zero or all-ones subnet to give up: it is one
    // usable network.
    f.usableSubnets = f.subnets == 1 ? 1 : f.subnets - 2;
    f.usableHosts = f.hosts - 2;
    f.totalUsable = f.usableHosts * f.usableSubnets;
    f.usedFraction = static_cast<float>(f.totalUsable / f.totalHosts);
    f.usedPercent =
        static_cast<float>(std::floor(static_cast<double>(f.usedFraction) * 10000 + 0.5) / 100);
    f.wastedPercent = static_cast<float>(100 - static_cast<double>(f.usedPercent));
    if (!AllFinite(f))
        return std::nullopt;
    return f;
}

std::string MakeSpaces(std::int16_t count) {
    return std::string(count > 0 ? static_cast<std::size_t>(count) : 0, ' ');
}

std::string CenterInColumn(std::string_view text) {
    const Padding padding = PaddingFor(CodePoints(text));
    std::string result = MakeSpaces(static_cast<std::int16_t>(padding.before));
    result += text;
    result += MakeSpaces(static_cast<std::int16_t>(padding.behind));
    return result;
}

std::string NumberText(double value) {
    // Adding zero turns a negative zero into zero, which has no sign to show.
    value += 0.0;
    char text[32];
    char* end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15).ptr;
    for (char* c = text; c != end; ++c) {
        if (*c == 'e')
            *c = 'E';
    }
    return std::string(text, end);
}

std::string PercentText(float value) {
    // The shortest decimal form names the single the way it was computed (48.44, not
    // 48.439998...), so halves are judged on those digits.
    char text[32];
    char* end =
        std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific)
            .ptr;
    std::string digits;
    const char* c = text;
    for (; c != end && *c != 'e'; ++c) {
        if (*c != '.')
            digits += *c;
    }
    int exponent = 0;
    if (c != end)
        std::from_chars(c + (c[1] == '+' ? 2 : 1), end, exponent);

    // Digits of |value| * 100, the first weighing 10^exponent: those weighing at least 10^-2
    // are kept, and the next one decides the rounding.
    const int keep = exponent + 3;
    std::string hundredths;
    if (keep > 0) {
        hundredths = digits.substr(0, static_cast<std::size_t>(keep));
        hundredths.resize(static_cast<std::size_t>(keep), '0');
    }
    if (keep >= 0 && keep < static_cast<int>(digits.size()) && digits[keep] >= '5') {
        auto digit = hundredths.rbegin();
        for (; digit != hundredths.rend() && *digit == '9'; ++digit)
            *digit = '0';
        if (digit == hundredths.rend())
            hundredths.insert(hundredths.begin(), '1');
        else
            ++*digit;
    }
    hundredths.erase(0, hundredths.find_first_not_of('0'));
    const bool negative = value < 0 && !hundredths.empty();
    if (hundredths.size() < 2)
        hundredths.insert(0, 2 - hundredths.size(), '0');

    std::string result = negative ? "-" : "";
    result.append(hundredths, 0, hundredths.size() - 2);
    result += '.';
    std::string decimals = hundredths.substr(hundredths.size() - 2);
    decimals.erase(decimals.find_last_not_of('0') + 1);
    result += decimals;
    return result;
}

std::array<std::string, 15> OpeningLines(const ReportFields& fields, const ReportFigures& figures) {
    const auto& o = fields.octets;
    return {
        std::string("Tessnivar v ") + kVersion + " -- by Brolwick",
        "",
        "REMINDER: The first and last IP address in each subnet is unusable.",
        "The first is the network address.  The last is the broadcast address.",
        "This is not reflected in this output.",
        "",
        "Assigned IP: " + o[0] + "." + o[1] + "." + o[2] + "." + o[3],
        "Subnet Mask: " + fields.mask,
        "Bits Borrowed: " + fields.bits,
        "Number of Subnets: " + fields.subnets + " (" + NumberText(figures.usableSubnets) +
            " usable)",
        "Number of Hosts per Subnet: " + fields.hosts + " (" + NumberText(figures.usableHosts) +
            " usable)",
        "Total Number of Hosts: " + NumberText(figures.totalHosts) + " (" +
            NumberText(figures.totalUsable) + " usable)",
        "Total Percent of Addresses: " + PercentText(figures.usedPercent) + "%",
        "Percent of Wasted Addresses: " + PercentText(figures.wastedPercent) + "%",
        "",
    };
}

std::string ColumnHeader() {
    return CenterInColumn("Subnet Number") + CenterInColumn("Start IP") + CenterInColumn("End IP");
}

std::string_view CsvHeader() noexcept {
    return "Subnet Number,Start IP,End IP";
}

char* WriteColumnRow(char* out, const SubnetRow& row, bool marked) noexcept {
    char number[kMaxDecimalChars];
    out = WriteCentered(out, number,
                        static_cast<std::size_t>(WriteDecimal(number, row.number) - number));
    out = WriteCenteredQuad(out, row.start);
    out = WriteCenteredQuad(out, row.end);
    if (marked)
        out = WriteCentered(out, kMarker.data(), kMarker.size());
    return out;
}

char* WriteCsvRow(char* out, const SubnetRow& row, bool marked) noexcept {
    out = WriteDecimal(out, row.number);
    *out++ = ',';
    out = WriteDottedQuad(out, row.start);
    *out++ = ',';
    out = WriteDottedQuad(out, row.end);
    if (marked) {
        *out++ = ',';
        std::memcpy(out, kMarker.data(), kMarker.size());
        out += kMarker.size();
    }
    return out;
}

std::string TabSeparatedRow(const SubnetRow& row) {
    return row.subnetNumber() + '\t' + row.startIp() + '\t' + row.endIp();
}

} // namespace tessnivar
