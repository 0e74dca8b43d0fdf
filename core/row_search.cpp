#include "row_search.h"

#include "numeric.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tessnivar {

namespace {

// A closed range of whole numbers, lo <= hi.
struct Range {
    std::int64_t lo;
    std::int64_t hi;
};

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Values of 0 to limit whose decimal text begins with prefix: prefix itself, then the values of
// one, two, ... more digits after it. Empty when prefix is not how such a value begins.
std::vector<Range> ValuesBeginningWith(std::string_view prefix, std::int64_t limit) {
    if (prefix.empty())
        return {{0, limit}};
    if (!AllDigits(prefix) || prefix.size() > 18 || (prefix[0] == '0' && prefix.size() > 1))
        return {};
    if (prefix == "0")
        return {{0, 0}};
    std::int64_t value = 0;
    for (const char c : prefix)
        value = value * 10 + (c - '0');
    std::vector<Range> values;
    for (std::int64_t scale = 1; value * scale <= limit; scale *= 10) {
        values.push_back({value * scale, std::min((value + 1) * scale - 1, limit)});
        if (scale > limit / 10)
            break;
    }
    return values;
}

// The value of an octet written exactly as text, or nullopt when no octet of 0 to 255 is.
std::optional<std::int64_t> OctetWrittenAs(std::string_view text) {
    const auto values = ValuesBeginningWith(text, 255);
    if (text.empty() || values.empty() || values.front().lo != values.front().hi)
        return std::nullopt;
    return values.front().lo;
}

// The least i in [from, last] with first + i * step in range, if any.
std::optional<std::int64_t> FirstIndexIn(Range range, std::int64_t first, std::int64_t step,
                                         std::int64_t from, std::int64_t last) {
    // ceil((range.lo - first) / step) for any sign.
    const std::int64_t distance = range.lo - first;
    std::int64_t i = distance <= 0 ? -(-distance / step) : (distance + step - 1) / step;
    i = std::max(i, from);
    if (i > last || first + i * step > range.hi)
        return std::nullopt;
    return i;
}

// The least row in [from, last] whose number text begins with prefix.
std::optional<std::int64_t> FirstNumber(std::string_view prefix, std::int64_t from,
                                        std::int64_t last) {
    for (const Range& range : ValuesBeginningWith(prefix, last)) {
        if (range.hi >= from)
            return std::max(range.lo, from);
    }
    return std::nullopt;
}

// The addresses of the rows after the first are the numbers first + i * step written as octets:
// the first octet is base plus the number's bits above 24, each of the others one byte of it.
// This holds when the second to fourth octets were loaded as 0 or more: the carries then turn the
// number into its bytes. The least row in [from, last] whose address text begins with prefix.
std::optional<std::int64_t> FirstAddress(std::string_view prefix, std::int64_t base,
                                         std::int64_t first, std::int64_t step, std::int64_t from,
                                         std::int64_t last) {
    std::vector<std::string_view> parts;
    for (std::size_t begin = 0;;) {
        const std::size_t dot = prefix.find('.', begin);
        parts.push_back(prefix.substr(begin, dot - begin));
        if (dot == std::string_view::npos)
            break;
        begin = dot + 1;
    }
    if (parts.size() > 4)
        return std::nullopt;

    // The numbers with the octets the complete parts name, and the last part beginning the next.
    std::optional<std::int64_t> best;
    const std::int64_t lowest = (first + from * step) >> 24;
    const std::int64_t highest = (first + last * step) >> 24;
    for (std::int64_t top = lowest; top <= highest; ++top) {
        const std::string firstOctet = DecimalText(base + top);
        const bool firstMatches =
            parts.size() == 1 ? firstOctet.starts_with(parts[0]) : firstOctet == parts[0];
        if (!firstMatches)
            continue;
        std::int64_t number = top << 24;
        int shift = 24;
        bool named = true;
        for (std::size_t k = 1; k + 1 < parts.size() && named; ++k) {
            shift -= 8;
            const auto octet = OctetWrittenAs(parts[k]);
            named = octet.has_value();
            number += octet.value_or(0) << shift;
        }
        if (!named)
            continue;
        std::vector<Range> ranges;
        if (parts.size() == 1) {
            ranges.push_back({number, number + (std::int64_t{1} << 24) - 1});
        } else {
            shift -= 8;
            for (const Range& octets : ValuesBeginningWith(parts.back(), 255))
                ranges.push_back({number + (octets.lo << shift),
                                  number + (octets.hi << shift) + (std::int64_t{1} << shift) - 1});
        }
        for (const Range& range : ranges) {
            if (const auto i = FirstIndexIn(range, first, step, from, last);
                i && (!best || *i < *best))
                best = i;
        }
    }
    return best;
}

// The least row in [from, last] whose text of kind begins with prefix.
std::optional<std::int64_t> FirstRow(const SubnetRows& rows, RowText kind, std::string_view prefix,
                                     std::int64_t from, std::int64_t last) {
    if (from > last)
        return std::nullopt;
    if (kind == RowText::Number)
        return FirstNumber(prefix, from, last);

    const WorkingAddress& start = rows.start();
    const bool bytesOfANumber = start.octet[1] >= 0 && start.octet[2] >= 0 && start.octet[3] >= 0;
    if (!bytesOfANumber) {
        for (std::int64_t i = from; i <= last; ++i) {
            if (RowTextOf(rows, kind, static_cast<std::size_t>(i)).starts_with(prefix))
                return i;
        }
        return std::nullopt;
    }
    // The first start is the address as loaded, carried or not; every other text is a number's.
    std::int64_t after = from;
    if (kind == RowText::Start && from == 0) {
        if (RowTextOf(rows, kind, 0).starts_with(prefix))
            return 0;
        after = 1;
    }
    const std::int64_t step = rows.hostsPerSubnet();
    const std::int64_t first = start.octet[1] * 65536 + start.octet[2] * 256 + start.octet[3] +
                               (kind == RowText::End ? step - 1 : 0);
    return FirstAddress(prefix, start.octet[0], first, step, after, last);
}

} // namespace

std::string RowTextOf(const SubnetRows& rows, RowText kind, std::size_t i) {
    const SubnetRow row = rows.row(i);
    switch (kind) {
    case RowText::Number:
        return row.subnetNumber();
    case RowText::Start:
        return row.startIp();
    case RowText::End:
        break;
    }
    return row.endIp();
}

std::optional<std::size_t> FindRowStartingWith(const SubnetRows& rows, RowText kind,
                                               std::string_view prefix, std::size_t from) {
    if (rows.empty())
        return std::nullopt;
    const auto last = static_cast<std::int64_t>(rows.size()) - 1;
    const auto start = std::min(static_cast<std::int64_t>(from), last);
    auto found = FirstRow(rows, kind, prefix, start, last);
    if (!found)
        found = FirstRow(rows, kind, prefix, 0, start - 1);
    if (!found)
        return std::nullopt;
    return static_cast<std::size_t>(*found);
}

} // namespace tessnivar
