#include "subnet_row.h"

#include "numeric.h"

#include <cstring>

namespace tessnivar {

namespace {

// Digits of 0 to 255, three characters a value, and each value's length: nearly every octet
// written lies in that range, so the common case is one copy.
struct OctetDigits {
    char text[256][3];
    unsigned char length[256];

    constexpr OctetDigits() : text{}, length{} {
        for (int v = 0; v < 256; ++v) {
            const int hundreds = v / 100;
            const int tens = v / 10 % 10;
            const int ones = v % 10;
            int n = 0;
            if (hundreds > 0)
                text[v][n++] = static_cast<char>('0' + hundreds);
            if (v >= 10)
                text[v][n++] = static_cast<char>('0' + tens);
            text[v][n++] = static_cast<char>('0' + ones);
            length[v] = static_cast<unsigned char>(n);
        }
    }
};

constexpr OctetDigits kOctetDigits;

char* WriteOctet(char* out, std::int64_t value) noexcept {
    if (value >= 0 && value <= 255) {
        std::memcpy(out, kOctetDigits.text[value], 3);
        return out + kOctetDigits.length[value];
    }
    return WriteDecimal(out, value);
}

} // namespace

char* WriteDottedQuad(char* out, const WorkingAddress& address) noexcept {
    out = WriteOctet(out, address.octet[0]);
    for (int k = 1; k < 4; ++k) {
        *out++ = '.';
        out = WriteOctet(out, address.octet[k]);
    }
    return out;
}

std::string DottedQuad(const WorkingAddress& address) {
    char buffer[kMaxDottedQuadChars + 2];
    return std::string(buffer, WriteDottedQuad(buffer, address));
}

std::string SubnetRow::subnetNumber() const {
    return DecimalText(number);
}

} // namespace tessnivar
