#include "mask_and_counts.h"

#include "address_class.h"
#include "numeric.h"

#include <cmath>

namespace tessnivar {

namespace {

// 2^exponent as a 32-bit count; powers beyond the plan's range, which the spinner's bounds
// exclude, give 0 instead of an undefined conversion.
std::int32_t PowerOfTwo(int exponent) noexcept {
    return RoundToInt32(std::pow(2.0, exponent)).value_or(0);
}

// Value of an octet with k leading one bits, 1 <= k <= 8: 128, 192, ... 255.
std::string PartialOctet(int k) {
    return DecimalText(256 - (1 << (8 - k)));
}

} // namespace

MaskAndCounts ComputeMaskAndCounts(std::int16_t classMaskBits, std::int16_t bitsBorrowed) {
    MaskAndCounts result;
    result.subnetCount = PowerOfTwo(bitsBorrowed);
    const int prefix = classMaskBits + bitsBorrowed;
    result.hostsPerSubnet = PowerOfTwo(32 - prefix);
    result.prefixTooLong = prefix > kLongestPrefix;
    if (!result.prefixTooLong)
        result.maskText = MaskText(prefix);
    return result;
}

std::string MaskText(int prefixLength) {
    // Each octet after the first: a full octet while more than 8 bits remain, otherwise the
    // partial octet and zeros to the end; strictly "more than 8", so a remainder of exactly 8
    // ends the mask in a 255 followed by zeros.
    static constexpr const char* kZeroTail[] = {".0.0.0", ".0.0", ".0", ""};
    int remaining = prefixLength;
    std::string text;
    for (int k = 0; k < 4 && remaining > 0; ++k) {
        if (k > 0)
            text += '.';
        if (remaining > 8) {
            text += "255";
            remaining -= 8;
        } else {
            text += PartialOctet(remaining);
            text += kZeroTail[k];
            remaining = 0;
        }
    }
    return text;
}

std::vector<std::string> PrefixTooLongErrorLines() {
    return {"There has been an error.", "Error Code: RC-01"};
}

} // namespace tessnivar
