#include "subnet_row_store.h"

#include <algorithm>
#include <limits>
#include <optional>

namespace tessnivar {

namespace {

bool IsOctet(std::int64_t value) noexcept {
    return value >= 0 && value <= 255;
}

// Octets 0 to 255, the first counted from firstOctetBase; compared before subtracting, so that
// no octet value can overflow.
std::optional<std::uint32_t> Pack(const WorkingAddress& address,
                                  std::int64_t firstOctetBase) noexcept {
    const std::int64_t first = address.octet[0];
    if (first < firstOctetBase || first > firstOctetBase + 255)
        return std::nullopt;
    auto packed = static_cast<std::uint32_t>(first - firstOctetBase);
    for (std::size_t k = 1; k < address.octet.size(); ++k) {
        if (!IsOctet(address.octet[k]))
            return std::nullopt;
        packed = packed << 8 | static_cast<std::uint32_t>(address.octet[k]);
    }
    return packed;
}

WorkingAddress Unpack(std::uint32_t packed, std::int64_t firstOctetBase) noexcept {
    return WorkingAddress{
        {firstOctetBase + (packed >> 24), packed >> 16 & 0xFF, packed >> 8 & 0xFF, packed & 0xFF}};
}

} // namespace

void SubnetRowStore::clear() noexcept {
    // Give the memory back too: a plan of millions of rows is followed by a small one.
    firstOctetBase_ = 0;
    numbers_ = {};
    starts_ = {};
    ends_ = {};
    wideRows_ = {};
}

void SubnetRowStore::reserve(std::size_t rows) {
    numbers_.reserve(rows);
    starts_.reserve(rows);
    ends_.reserve(rows);
}

void SubnetRowStore::append(const SubnetRow& row) {
    // A plan from a negative first octet (as typed, so within 32 bits) is counted from it; an
    // ordinary plan goes in as it is.
    const std::int64_t first = row.start.octet[0];
    if (numbers_.empty() && first < 0 && first >= std::numeric_limits<std::int32_t>::min())
        firstOctetBase_ = first;
    const auto start = Pack(row.start, firstOctetBase_);
    const auto end = Pack(row.end, firstOctetBase_);
    if (!start || !end)
        wideRows_.emplace_back(numbers_.size(), row);
    numbers_.push_back(row.number);
    starts_.push_back(start.value_or(0));
    ends_.push_back(end.value_or(0));
}

SubnetRow SubnetRowStore::row(std::size_t i) const {
    if (!wideRows_.empty()) {
        const auto wide = std::lower_bound(
            wideRows_.begin(), wideRows_.end(), i,
            [](const auto& entry, std::size_t index) { return entry.first < index; });
        if (wide != wideRows_.end() && wide->first == i)
            return wide->second;
    }
    return SubnetRow{numbers_[i], Unpack(starts_[i], firstOctetBase_),
                     Unpack(ends_[i], firstOctetBase_)};
}

} // namespace tessnivar
