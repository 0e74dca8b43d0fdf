#pragma once

#include "subnet_enumeration.h"
#include "subnet_row.h"

#include <cstddef>
#include <cstdint>

namespace tessnivar {

// The rows of a plan as one value: the loaded start address, the addresses per subnet and the
// number of subnets. Nothing is kept per row: row i is computed on demand, with exactly the
// octets the enumeration's carries give it, also for typed octets below 0 or above 255.
class SubnetRows {
public:
    // No rows.
    SubnetRows() = default;
    // subnetCount rows of hostsPerSubnet addresses each, the first starting at start.
    SubnetRows(WorkingAddress start, std::int32_t hostsPerSubnet, std::int32_t subnetCount) noexcept
        : start_(start), hostsPerSubnet_(hostsPerSubnet),
          subnetCount_(subnetCount > 0 ? subnetCount : 0) {}

    [[nodiscard]] std::size_t size() const noexcept {
        return static_cast<std::size_t>(subnetCount_);
    }
    [[nodiscard]] bool empty() const noexcept { return subnetCount_ == 0; }
    [[nodiscard]] std::int32_t hostsPerSubnet() const noexcept { return hostsPerSubnet_; }
    // The start address as loaded, before any carry.
    [[nodiscard]] const WorkingAddress& start() const noexcept { return start_; }

    // Row i, 0 <= i < size(), in constant time.
    [[nodiscard]] SubnetRow row(std::size_t i) const noexcept;

    // Calls visit with each row in order, stepping from one row to the next.
    template <typename Visit> void forEach(Visit&& visit) const {
        EnumerateSubnets(start_, hostsPerSubnet_, subnetCount_, visit);
    }

private:
    WorkingAddress start_;
    std::int32_t hostsPerSubnet_ = 0;
    std::int32_t subnetCount_ = 0;
};

} // namespace tessnivar
