#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tessnivar {

// An address as four octets, first octet first. Octets are wide so that typed values beyond
// 0 to 255 and the carries out of them are held exactly.
struct WorkingAddress {
    std::array<std::int64_t, 4> octet{};

    friend bool operator==(const WorkingAddress&, const WorkingAddress&) = default;
};

// Longest dotted-quad text: four octets of kMaxDecimalChars and three dots.
inline constexpr int kMaxDottedQuadChars = 4 * 20 + 3;

// Writes the octets joined by "." at out; returns the end.
char* WriteDottedQuad(char* out, const WorkingAddress& address) noexcept;

// The octets joined by ".", each as plain decimal text.
[[nodiscard]] std::string DottedQuad(const WorkingAddress& address);

// One subnet of a plan: its number counting from 0, its first and its last address. The texts
// are made on demand.
struct SubnetRow {
    std::int32_t number = 0;
    WorkingAddress start;
    WorkingAddress end;

    [[nodiscard]] std::string subnetNumber() const;
    [[nodiscard]] std::string startIp() const { return DottedQuad(start); }
    [[nodiscard]] std::string endIp() const { return DottedQuad(end); }

    friend bool operator==(const SubnetRow&, const SubnetRow&) = default;
};

} // namespace tessnivar
