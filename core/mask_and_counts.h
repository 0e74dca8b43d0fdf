#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessnivar {

// The derived values of a plan. When the prefix length exceeds 30 the counts are set but the
// mask text is left empty: such a plan is an internal error ("Error Code: RC-01").
struct MaskAndCounts {
    std::int32_t subnetCount = 0;
    std::int32_t hostsPerSubnet = 0;
    bool prefixTooLong = false;
    std::string maskText;
};

// Counts and mask for a class default prefix of classMaskBits with bitsBorrowed bits borrowed:
// 2^bitsBorrowed subnets of 2^(32 - prefix) addresses.
[[nodiscard]] MaskAndCounts ComputeMaskAndCounts(std::int16_t classMaskBits,
                                                 std::int16_t bitsBorrowed);

// Dotted-quad mask of prefixLength leading one bits, for prefix lengths 1 to 32.
[[nodiscard]] std::string MaskText(int prefixLength);

// The lines of the "Error Code: RC-01" message.
[[nodiscard]] std::vector<std::string> PrefixTooLongErrorLines();

} // namespace tessnivar
