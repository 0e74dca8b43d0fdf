#include "subnet_row_store.h"

#include <algorithm>
#include <optional>

namespace tessnivar {

namespace {

bool IsOctet(std::int64_t value) noexcept {
    return value >= 0 && value <= 255;
}

std::optional<std::uint32_t> Pack(WorkingAddress address, std::int64_t firstOctetBase) noexcept {
    address.octet[0] -= firstOctetBase;
    std::uint32_t packed = 0;
    for (const std::int64_t octet : address.octet) {
        if (!IsOctet(octet))
            return std::nullopt;
        packed = packed << 8 | static_cast<std::uint32_t>(octet);
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
    // The octets of an ordinary plan go in as they are.
    if (numbers_.empty() && !IsOctet(row.start.octet[0]))
        firstOctetBase_ = row.start.octet[0];
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
