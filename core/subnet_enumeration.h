#pragma once

#include "network_check.h"
#include "subnet_row.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessnivar {

// The working address loaded from the octet texts, or the index of the first octet whose
// rounded value does not fit a 32-bit signed integer (or is not finite).
struct AddressLoad {
    WorkingAddress address;
    int badOctet = -1;

    [[nodiscard]] bool ok() const noexcept { return badOctet < 0; }
};

// Rounds each octet's numeric value to the nearest integer, halves to even.
[[nodiscard]] AddressLoad LoadWorkingAddress(const OctetTexts& octets);

// The lines of the refusal for an octet that cannot be used, the octet shown as typed.
[[nodiscard]] std::vector<std::string> OctetRangeErrorLines(std::string_view octetText);

// Brings the fourth, third and second octets back to at most 255 by carrying whole blocks of
// 256 into the octet in front; values below 0 stay, the first octet is never reduced. Inline: it
// runs twice for every row a report writes.
inline void CarryOctets(WorkingAddress& address) noexcept {
    // Same result as "while low > 255: low -= 256, high += 1", in one step.
    const auto carryInto = [](std::int64_t& low, std::int64_t& high) {
        if (low > 255) {
            high += low / 256;
            low %= 256;
        }
    };
    carryInto(address.octet[3], address.octet[2]);
    carryInto(address.octet[2], address.octet[1]);
    carryInto(address.octet[1], address.octet[0]);
}

// Hands consume one SubnetRow per subnet, numbers 0 to subnetCount - 1, each of hostsPerSubnet
// addresses, starting at start. Nothing is collected.
template <typename Consumer>
void EnumerateSubnets(WorkingAddress start, std::int32_t hostsPerSubnet, std::int32_t subnetCount,
                      Consumer&& consume) {
    const std::int64_t last = std::int64_t{subnetCount} - 1;
    WorkingAddress p = start;
    SubnetRow row;
    for (std::int64_t n = 0; n <= last; ++n) {
        row.number = static_cast<std::int32_t>(n);
        row.start = p;
        p.octet[3] += std::int64_t{hostsPerSubnet} - 1;
        CarryOctets(p);
        row.end = p;
        consume(std::as_const(row));
        p.octet[3] += 1;
        CarryOctets(p);
    }
}

} // namespace tessnivar
