#pragma once

#include "address_class.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace tessnivar {

// The texts of the four octet boxes, first octet first, exactly as typed.
using OctetTexts = std::array<std::string, 4>;

// The class whose network-address rule the address breaks, or nullopt when it is a network
// address of its class.
[[nodiscard]] std::optional<AddressClass> CheckNetworkAddress(const OctetTexts& octets);

// The lines of the refusal for an address that breaks the rule of brokenClass, the octets shown
// as typed.
[[nodiscard]] std::vector<std::string> NetworkErrorLines(AddressClass brokenClass,
                                                         const OctetTexts& octets);

} // namespace tessnivar
