// A model of the planner's behaviour, written as literally as the rules it follows so that it is
// plainly right: the plan and report tests hold the code to it. It never calls the code under
// test and needs nothing but the standard library.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <tuple>
#include <vector>

namespace oracle {

using Texts = std::array<std::string, 4>;
using Octets = std::array<std::int64_t, 4>;

// The number a text begins with: blanks (space, tab), a sign, digits, a "." and digits; else 0.
inline double Value(const std::string& t) {
    static const std::regex number("^[ \t]*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)");
    std::smatch m;
    return std::regex_search(t, m, number) ? std::strtod(m.str().c_str(), nullptr) : 0.0;
}

// The network check's rules in order; the first broken one names its class, 0 when none is.
inline char BrokenRule(const Texts& t) {
    const double v = Value(t[0]);
    // Each rule: its class, whether the first octet falls under it, the first octet to be zero.
    const std::tuple<char, bool, int> rules[] = {
        {'C', v > 191, 3}, {'B', !(v < 128) && !(v > 191), 2}, {'A', !(v > 127), 1}};
    for (const auto& [c, applies, first] : rules)
        if (applies &&
            std::any_of(t.begin() + first, t.end(), [](auto& o) { return Value(o) != 0; }))
            return c;
    return 0;
}

// The nearest integer, halves to the even one; none when not finite or beyond 32 bits signed.
inline std::optional<std::int64_t> Round(double v) {
    const double r = std::fabs(v - std::trunc(v)) == 0.5 ? 2 * std::round(v / 2) : std::round(v);
    return r >= -2147483648.0 && r <= 2147483647.0 ? std::optional(std::int64_t(r)) : std::nullopt;
}

// The carries: from the fourth octet forward, "while above 255: 256 less, one more in front".
// Each loop runs at most a plan's addresses / 256 times, besides once per 256 of a typed octet.
inline void Carry(Octets& p) {
    for (int k = 3; k > 0; --k)
        for (; p[k] > 255; p[k] -= 256)
            p[k - 1] += 1;
}

inline std::string Dotted(const Octets& p) {
    return std::to_string(p[0]) + "." + std::to_string(p[1]) + "." + std::to_string(p[2]) + "." +
           std::to_string(p[3]);
}

// A row's texts: its number, start and end, in the order of the type-ahead's kinds.
using Row = std::array<std::string, 3>;

// The first count rows of a plan, stepping from start as the enumeration does.
inline std::vector<Row> Rows(Octets p, std::int64_t hosts, std::int64_t count) {
    std::vector<Row> rows;
    for (std::int64_t n = 0; n < count; ++n) {
        const std::string start = Dotted(p);
        p[3] += hosts - 1;
        Carry(p);
        rows.push_back({std::to_string(n), start, Dotted(p)});
        p[3] += 1;
        Carry(p);
    }
    return rows;
}

// A plan: its outcome, "plan" with its mask, class and counts, or the first test it fails, its
// class and the lines of its message: "class -" (first octet above 223), "bits", "network" (class:
// the broken rule's) or "octet" (an octet that does not round into 32 bits); its start and hosts.
struct Plan {
    std::string outcome;
    Octets start{};
    std::int64_t hosts = 0;
};

inline Plan MakePlan(const Texts& t, std::int64_t bits) {
    // Address entry's class of a first octet: below 127 A, to 191 B, to 223 C; above 223 none.
    const double first = Value(t[0]);
    const char c = first < 127 ? 'A' : first <= 191 ? 'B' : first <= 223 ? 'C' : 0;
    const int classBits = c == 'A' ? 8 : c == 'B' ? 16 : 24;
    const std::string sorry = "\nSorry: This address cannot be subnetted.\n";
    if (!c)
        return {"class -"};
    if (bits != 0 && (bits < 2 || bits > 30 - classBits))
        return {std::string("bits ") + c};
    if (const char broken = BrokenRule(t))
        return {std::string("network ") + broken + sorry + "The address " + t[0] + "." + t[1] +
                "." + t[2] + "." + t[3] +
                " does not represent a network address.\nHINT: To be a network address, the last " +
                (broken == 'C'
                     ? "octet MUST be zero."
                     : std::string(broken == 'B' ? "two" : "three") +
                           " octets MUST be zero\nsince this is a Class " + broken + " address.")};
    Plan plan{"", {}, std::int64_t{1} << (32 - classBits - bits)};
    for (int k = 0; k < 4; ++k) {
        const auto v = Round(Value(t[k]));
        if (!v)
            return {std::string("octet ") + c + sorry + "The octet " + t[k] + " is out of range."};
        plan.start[k] = *v;
    }
    const std::uint32_t m = ~std::uint32_t{0} << (32 - classBits - bits);
    plan.outcome = "plan " + Dotted({m >> 24, m >> 16 & 255, m >> 8 & 255, m & 255}) + " " + c +
                   " " + std::to_string(std::int64_t{1} << bits) + "x" + std::to_string(plan.hosts);
    return plan;
}

// The summary figures of the subnets and hosts values.
struct Figures {
    double usableSubnets, usableHosts, total, totalUsable;
    float used, wasted;
};

// None when the used share cannot be computed: S * H zero, or any figure not finite. An
// unsubnetted network (S = 1) is one usable network.
inline std::optional<Figures> Summary(double s, double h) {
    if (s * h == 0)
        return std::nullopt;
    Figures f{s == 1 ? 1 : s - 2, h - 2, s * h, 0, 0, 0};
    f.totalUsable = f.usableHosts * f.usableSubnets;
    const float share = static_cast<float>(f.totalUsable / f.total);
    f.used = static_cast<float>(std::floor(double{share} * 10000 + 0.5) / 100);
    f.wasted = static_cast<float>(100 - double{f.used});
    for (const double x : {s, h, f.total, f.totalUsable, double{share}, double{f.used}})
        if (!std::isfinite(x))
            return std::nullopt;
    return f;
}

// 15 significant digits, exponent form beyond them; no sign on a zero.
inline std::string Number(double v) {
    char s[40];
    std::snprintf(s, sizeof s, "%.15G", v + 0.0);
    return s;
}

// "##.##": the single's shortest decimal text rounded to hundredths, halves away from zero; no
// leading zero, the point always, no trailing zero decimals; "-" only before a non-zero value.
inline std::string Percent(float v) {
    char s[64];
    const std::string e(
        s, std::to_chars(s, s + sizeof s, std::fabs(v), std::chars_format::scientific).ptr);
    // Its digits, the first weighing 10^exponent, in a row whose first weighs 10^units: the
    // hundredths, led by a zero for a carry, and the digit after them.
    std::string d = e.substr(0, e.find('e'));
    std::erase(d, '.');
    const int exponent = std::atoi(e.c_str() + e.find('e') + 1);
    const std::size_t units = std::size_t(std::max(exponent, 0) + 1);
    d = std::string(std::size_t(std::max(-exponent, 0) + 1), '0') + d + std::string(units + 3, '0');
    std::string h = d.substr(0, units + 3);
    if (d[units + 3] >= '5') {
        std::size_t k = h.size() - 1;
        for (; h[k] == '9'; --k)
            h[k] = '0';
        ++h[k];
    }
    std::string text = h.substr(0, h.size() - 2) + "." + h.substr(h.size() - 2);
    text.erase(0, text.find_first_not_of('0'));
    text.erase(text.find_last_not_of('0') + 1);
    return (v < 0 && text != "." ? "-" : "") + text;
}

// The report's opening of the window's texts: f holds octets, mask, bits, subnets and hosts.
inline std::vector<std::string> Opening(const auto& f, const Figures& g) {
    const Texts& o = f.octets;
    return {"Tessnivar v 1.0 -- by Brolwick",
            "",
            "REMINDER: The first and last IP address in each subnet is unusable.",
            "The first is the network address.  The last is the broadcast address.",
            "This is not reflected in this output.",
            "",
            "Assigned IP: " + o[0] + "." + o[1] + "." + o[2] + "." + o[3],
            "Subnet Mask: " + f.mask,
            "Bits Borrowed: " + f.bits,
            "Number of Subnets: " + f.subnets + " (" + Number(g.usableSubnets) + " usable)",
            "Number of Hosts per Subnet: " + f.hosts + " (" + Number(g.usableHosts) + " usable)",
            "Total Number of Hosts: " + Number(g.total) + " (" + Number(g.totalUsable) + " usable)",
            "Total Percent of Addresses: " + Percent(g.used) + "%",
            "Percent of Wasted Addresses: " + Percent(g.wasted) + "%",
            ""};
}

// floor(d / 2) spaces in front and floor(d / 2 + 0.5) behind, d = 20 - length; none below 0.
inline std::string Centred(const std::string& t) {
    const double d = 20 - static_cast<double>(t.size());
    return std::string(std::max(0, int(std::floor(d / 2))), ' ') + t +
           std::string(std::max(0, int(std::floor(d / 2 + 0.5))), ' ');
}

// A row of the table, or its header, in columns or as CSV.
inline std::string TableRow(const Row& r, bool marked, bool csv) {
    if (csv)
        return r[0] + "," + r[1] + "," + r[2] + (marked ? ",UNUSABLE" : "");
    return Centred(r[0]) + Centred(r[1]) + Centred(r[2]) + (marked ? Centred("UNUSABLE") : "");
}

// Type-ahead: the first row from from on, going round to the first, whose text of kind begins
// with prefix.
inline std::optional<std::size_t> FirstStartingWith(const std::vector<Row>& rows, int kind,
                                                    const std::string& prefix, std::size_t from) {
    for (std::size_t step = 0; step < rows.size(); ++step)
        if (rows[(from + step) % rows.size()][kind].starts_with(prefix))
            return (from + step) % rows.size();
    return std::nullopt;
}

} // namespace oracle
