#pragma once

#include <cstdint>

namespace tessnivar {

// The main window's calculation state. Address entry sets the class and resets the bits borrowed;
// the spinner sets the bits borrowed and the counts follow from both.
struct SubnetPlan {
    std::int16_t bitsBorrowed = 0;   // 0, or 2 up to the class's maximum; never 1
    std::int16_t classMaskBits = 0;  // 8, 16 or 24
    std::int32_t hostsPerSubnet = 0; // addresses per subnet, network and broadcast included
    std::int32_t subnetCount = 0;    // 2^bitsBorrowed
    std::int16_t lastSpinnerValue = 0;
};

} // namespace tessnivar
