#pragma once

#include "address_class.h"
#include "mask_and_counts.h"
#include "network_check.h"
#include "result.h"
#include "subnet_rows.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessnivar {

// A plan ready to be listed: the class of its first octet, the bits borrowed, its mask and
// counts, and its rows.
struct SubnetPlan {
    AddressClass addressClass = AddressClass::ClassC;
    std::int16_t bitsBorrowed = 0;
    MaskAndCounts figures;
    SubnetRows rows;
};

// Why no plan can be made of an address and a number of bits.
enum class PlanError {
    FirstOctetAbove223, // no class: only Class A, B and C networks are subnetted
    BitsOutOfRange,     // neither 0 nor 2 up to the class's maximum
    NotNetworkAddress,  // the host octets the class's rule needs to be zero are not
    OctetOutOfRange,    // an octet whose rounded value does not fit 32 bits
};

// A refused plan: what is wrong and the values its message needs.
struct PlanRefusal {
    PlanError error = PlanError::NotNetworkAddress;
    // The class whose bits range (BitsOutOfRange) or whose network-address rule
    // (NotNetworkAddress) refused the plan.
    AddressClass addressClass = AddressClass::ClassC;
    // OctetOutOfRange: the index of the octet that cannot be loaded.
    int badOctet = -1;
};

// The plan of octets, texts as typed, with bitsBorrowed bits borrowed: the first octet gives the
// class, the bits must suit it, the address must be a network address of its class and every
// octet must load. The first test that fails refuses it.
[[nodiscard]] Result<SubnetPlan, PlanRefusal> MakePlan(const OctetTexts& octets,
                                                       std::int64_t bitsBorrowed);

// The lines of the message that refuses a plan of octets for NotNetworkAddress or OctetOutOfRange,
// the octets shown as typed; no line ends.
[[nodiscard]] std::vector<std::string> RefusalLines(const PlanRefusal& refusal,
                                                    const OctetTexts& octets);

} // namespace tessnivar
