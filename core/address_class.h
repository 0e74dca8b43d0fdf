#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessnivar {

// Longest prefix a plan may have: two host bits, a network and a broadcast address.
inline constexpr int kLongestPrefix = 30;

enum class AddressClass { ClassA, ClassB, ClassC };

// Class that address entry gives a first octet of value v: below 127 Class A, up to 191 Class B,
// up to 223 Class C; nullopt above 223, which address entry refuses.
[[nodiscard]] std::optional<AddressClass> ClassOfFirstOctet(double v) noexcept;

// Prefix length of the class's default mask: 8, 16 or 24.
[[nodiscard]] std::int16_t ClassMaskBits(AddressClass addressClass) noexcept;

// Most bits that can be borrowed in the class, so that the prefix length stays at most 30.
[[nodiscard]] std::int16_t MaxBitsBorrowed(AddressClass addressClass) noexcept;

// The lines of the message shown when a first octet above 223 is refused.
[[nodiscard]] std::vector<std::string> FirstOctetRefusalLines();

} // namespace tessnivar
