#include "subnet_rows.h"

namespace tessnivar {

namespace {

// The working address once offset has been added to its fourth octet step by step, each step
// followed by the carries. The carries move whole blocks of 256 and the additions only grow the
// fourth octet, so one addition and one carry give the same octets as any number of steps.
WorkingAddress Advanced(WorkingAddress address, std::int64_t offset) noexcept {
    address.octet[3] += offset;
    CarryOctets(address);
    return address;
}

} // namespace

SubnetRow SubnetRows::row(std::size_t i) const noexcept {
    const std::int64_t first = static_cast<std::int64_t>(i) * hostsPerSubnet_;
    SubnetRow result;
    result.number = static_cast<std::int32_t>(i);
    // The first start is the address as loaded; every later one has been through the carries.
    result.start = i == 0 ? start_ : Advanced(start_, first);
    result.end = Advanced(start_, first + hostsPerSubnet_ - 1);
    return result;
}

} // namespace tessnivar
