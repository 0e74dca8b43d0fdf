#pragma once

#include "subnet_row.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace tessnivar {

// The rows of a plan, kept compact: a row whose octets all lie in 0 to 255 takes 12 bytes, so
// the largest plan (4,194,304 rows) fits in about 50 MB. Other rows are kept whole beside them.
// A plan that starts from a negative first octet (one typed so) keeps its first octets relative
// to that one, so its rows pack as well.
class SubnetRowStore {
public:
    void clear() noexcept;
    void reserve(std::size_t rows);
    void append(const SubnetRow& row);

    [[nodiscard]] std::size_t size() const noexcept { return numbers_.size(); }
    [[nodiscard]] bool empty() const noexcept { return numbers_.empty(); }

    // Row i, 0 <= i < size().
    [[nodiscard]] SubnetRow row(std::size_t i) const;

private:
    std::int64_t firstOctetBase_ = 0; // subtracted from every first octet before packing
    std::vector<std::int32_t> numbers_;
    std::vector<std::uint32_t> starts_;
    std::vector<std::uint32_t> ends_;
    // Rows with an octet outside 0 to 255, by index, in increasing index order.
    std::vector<std::pair<std::size_t, SubnetRow>> wideRows_;
};

} // namespace tessnivar
