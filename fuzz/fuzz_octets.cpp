// The Calculate path: four octet texts and a spinner value, one a line. Address entry sets the
// class from the first text, the spinner picks the plan, then the check, its refusal text, the
// load and the first rows of the plan.
#include "fuzz_input.h"
#include "mask_and_counts.h"
#include "network_check.h"
#include "numeric.h"
#include "subnet_enumeration.h"
#include "subnet_row_store.h"

#include <algorithm>
#include <charconv>
#include <cmath>

using namespace tessnivar;

namespace {

// Enough rows to cross several carries into every octet while one input stays fast.
constexpr std::int32_t kMaxRows = 4096;

// The address as one number; the carries of the enumeration keep it, whatever the octets hold.
std::int64_t Value(const WorkingAddress& a) {
    return a.octet[0] * 16777216 + a.octet[1] * 65536 + a.octet[2] * 256 + a.octet[3];
}

bool InOctetRange(const WorkingAddress& a, int from) {
    return std::all_of(a.octet.begin() + from, a.octet.end(),
                       [](std::int64_t o) { return o >= 0 && o <= 255; });
}

// After the carries the last three octets are at most 255; values below 0 stay.
bool Carried(const WorkingAddress& a) {
    return a.octet[1] <= 255 && a.octet[2] <= 255 && a.octet[3] <= 255;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::SplitInput<5>(data, size);
    OctetTexts octets{input.texts[0], input.texts[1], input.texts[2], input.texts[3]};

    // Address entry puts "223" in place of a refused first octet and takes Class C.
    auto addressClass = ClassOfFirstOctet(NumericValue(octets[0]));
    if (!addressClass) {
        octets[0] = "223";
        addressClass = AddressClass::ClassC;
    }
    const std::string& spin = input.texts[4];
    unsigned spinner = 0;
    std::from_chars(spin.data(), spin.data() + spin.size(), spinner);
    const auto bits =
        static_cast<std::int16_t>(spinner % unsigned(MaxBitsBorrowed(*addressClass) + 1));
    const MaskAndCounts plan = ComputeMaskAndCounts(ClassMaskBits(*addressClass), bits);
    FUZZ_REQUIRE(!plan.prefixTooLong);

    if (const auto broken = CheckNetworkAddress(octets)) {
        const std::string text = NetworkErrorText(*broken, octets);
        const std::string shown =
            "The address " + octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3] + " ";
        FUZZ_REQUIRE(text.find(shown) != std::string::npos);
        FUZZ_REQUIRE(text.back() != '\n');
    }

    const AddressLoad load = LoadWorkingAddress(octets);
    for (int k = 0; k < (load.ok() ? 4 : load.badOctet); ++k) {
        // The nearest integer, a half going to the even one.
        const double off = std::fabs(NumericValue(octets[k]) - double(load.address.octet[k]));
        FUZZ_REQUIRE(off < 0.5 || (off == 0.5 && load.address.octet[k] % 2 == 0));
    }
    if (!load.ok()) {
        const double v = NumericValue(octets[load.badOctet]);
        // -2147483648.5 rounds to the even -2147483648 and fits; 2147483647.5 does not.
        FUZZ_REQUIRE(!(v >= -2147483648.5 && v < 2147483647.5));
        FUZZ_REQUIRE(OctetRangeErrorText(octets[load.badOctet]).find(octets[load.badOctet]) !=
                     std::string::npos);
        return 0;
    }

    // The enumeration does not depend on the number of subnets, so a plan cut short gives the
    // first rows of the whole plan.
    const std::int32_t rows = std::min(plan.subnetCount, kMaxRows);
    const std::int64_t hosts = plan.hostsPerSubnet;
    const std::int64_t first = Value(load.address);
    const bool wellFormed = InOctetRange(load.address, 0);
    std::int32_t count = 0;
    SubnetRowStore store;
    EnumerateSubnets(load.address, plan.hostsPerSubnet, rows, [&](const SubnetRow& row) {
        FUZZ_REQUIRE(row.number == count && row.subnetNumber() == std::to_string(count));
        // Subnet n covers first + n * hosts to first + (n + 1) * hosts - 1: no gap, no overlap.
        FUZZ_REQUIRE(Value(row.start) == first + count * hosts);
        FUZZ_REQUIRE(Value(row.end) == Value(row.start) + hosts - 1);
        FUZZ_REQUIRE(count == 0 ? row.start == load.address : Carried(row.start));
        FUZZ_REQUIRE(Carried(row.end));
        // From octets in 0 to 255 every row is plain dotted quads; only the first octet may
        // pass 255 at the top of the address space.
        if (wellFormed)
            FUZZ_REQUIRE(InOctetRange(row.start, 1) && InOctetRange(row.end, 1));
        FUZZ_REQUIRE(row.startIp() == fuzz::DottedQuad(row.start.octet));
        FUZZ_REQUIRE(row.endIp() == fuzz::DottedQuad(row.end.octet));
        store.append(row);
        FUZZ_REQUIRE(store.row(store.size() - 1) == row);
        ++count;
    });
    FUZZ_REQUIRE(count == rows);
    return 0;
}
