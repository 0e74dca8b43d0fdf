#pragma once

#include "numeric.h"

#include <array>
#include <cstdint>
#include <cstring>
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

// Digits of 0 to 255, three characters a value, and each value's length: nearly every octet
// written lies in that range, so the common case is one copy.
struct OctetDigits {
    char text[256][3];
    unsigned char length[256];

    constexpr OctetDigits() : text{}, length{} {
        for (int v = 0; v < 256; ++v) {
            int n = 0;
            if (v >= 100)
                text[v][n++] = static_cast<char>('0' + v / 100);
            if (v >= 10)
                text[v][n++] = static_cast<char>('0' + v / 10 % 10);
            text[v][n++] = static_cast<char>('0' + v % 10);
            length[v] = static_cast<unsigned char>(n);
        }
    }
};
inline constexpr OctetDigits kOctetDigits;

// Writes the octets joined by "." at out; returns the end. Inline: it runs twice for every row a
// report writes.
inline char* WriteDottedQuad(char* out, const WorkingAddress& address) noexcept {
    for (int k = 0; k < 4; ++k) {
        if (k > 0)
            *out++ = '.';
        const std::int64_t value = address.octet[k];
        if (value >= 0 && value <= 255) {
            std::memcpy(out, kOctetDigits.text[value], 3);
            out += kOctetDigits.length[value];
        } else {
            out = WriteDecimal(out, value);
        }
    }
    return out;
}

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
