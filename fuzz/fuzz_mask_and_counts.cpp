// Address entry and the spinner: a first-octet text gives the class by the bands of address
// entry, and every spinner value of that class gives the counts and the mask. The numeric value
// itself is compared with the C library's reading of the same leading number.
#include "address_class.h"
#include "fuzz_input.h"
#include "mask_and_counts.h"
#include "numeric.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

using namespace tessnivar;

namespace {

// The value of the leading number as strtod reads it: blanks, a sign, digits and a fraction.
double ExpectedValue(std::string_view text) {
    std::size_t i = text.find_first_not_of(" \t");
    if (i == std::string_view::npos)
        return 0.0;
    const std::size_t begin = i;
    if (text[i] == '+' || text[i] == '-')
        ++i;
    const auto digits = [&] {
        const std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            ++i;
        return i > from;
    };
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        any = digits() || any;
    }
    return any ? std::strtod(std::string(text.substr(begin, i - begin)).c_str(), nullptr) : 0.0;
}

// The 32-bit value of a dotted quad of four decimal octets 0 to 255 without leading zeros.
std::optional<std::uint32_t> ParseMask(const std::string& text) {
    std::uint32_t mask = 0;
    const char* c = text.data();
    const char* end = c + text.size();
    for (int k = 0; k < 4; ++k) {
        if (k > 0 && (c == end || *c++ != '.'))
            return std::nullopt;
        unsigned octet = 256;
        const auto parsed = std::from_chars(c, end, octet);
        if (parsed.ec != std::errc() || octet > 255 || (*c == '0' && parsed.ptr - c > 1))
            return std::nullopt;
        mask = mask << 8 | octet;
        c = parsed.ptr;
    }
    return c == end ? std::optional(mask) : std::nullopt;
}

// Address entry's class bands, tried in order, with each class's default prefix and largest
// number of bits borrowed; a first octet above 223 is refused.
struct ClassBand {
    AddressClass addressClass;
    bool (*holds)(double firstOctet);
    std::int16_t maskBits;
    std::int16_t maxBits;
};

constexpr ClassBand kClassBands[] = {
    {AddressClass::ClassA, [](double v) { return v < 127; }, 8, 22},
    {AddressClass::ClassB, [](double v) { return v <= 191; }, 16, 14},
    {AddressClass::ClassC, [](double v) { return v <= 223; }, 24, 6},
};

const ClassBand* ExpectedBand(double v) {
    for (const ClassBand& band : kClassBands) {
        if (band.holds(v))
            return &band;
    }
    return nullptr;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double v = NumericValue(text);
    // Bit for bit: the sign of a zero and the last digit's rounding count.
    FUZZ_REQUIRE(std::bit_cast<std::uint64_t>(v) ==
                 std::bit_cast<std::uint64_t>(ExpectedValue(text)));

    const auto entered = ClassOfFirstOctet(v);
    const ClassBand* band = ExpectedBand(v);
    FUZZ_REQUIRE(entered.has_value() == (band != nullptr));
    // A refused first octet is replaced by "223", which is Class C.
    const ClassBand& expected = band ? *band : kClassBands[2];
    const AddressClass addressClass = entered.value_or(AddressClass::ClassC);
    FUZZ_REQUIRE(addressClass == expected.addressClass);
    const std::int16_t classBits = ClassMaskBits(addressClass);
    const std::int16_t maxBits = MaxBitsBorrowed(addressClass);
    FUZZ_REQUIRE(classBits == expected.maskBits && maxBits == expected.maxBits);

    // One past the maximum is the internal error: counts set, no mask.
    for (std::int16_t bits = 0; bits <= maxBits + 1; ++bits) {
        const MaskAndCounts plan = ComputeMaskAndCounts(classBits, bits);
        const int prefix = classBits + bits;
        FUZZ_REQUIRE(plan.subnetCount == std::int64_t{1} << bits);
        FUZZ_REQUIRE(std::int64_t{plan.subnetCount} * plan.hostsPerSubnet ==
                     std::int64_t{1} << (32 - classBits));
        FUZZ_REQUIRE(plan.prefixTooLong == (prefix > 30));
        if (plan.prefixTooLong)
            FUZZ_REQUIRE(plan.maskText.empty());
        else
            FUZZ_REQUIRE(ParseMask(plan.maskText) == ~std::uint32_t{0} << (32 - prefix));
    }
    return 0;
}
