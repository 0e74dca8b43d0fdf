// The Calculate path: four octet texts and a spinner value, one a line, then a text typed into
// the lists. The network check is held to its rule table and the carries to their octet-by-octet
// rule; then address entry sets the class from the first text, the spinner picks the plan, and
// the check's refusal text, the load, the first rows of the plan, the rows made on demand and the
// type-ahead search follow.
#include "fuzz_input.h"
#include "mask_and_counts.h"
#include "network_check.h"
#include "numeric.h"
#include "row_search.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>

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

// The rule table of the network check: the first octets a rule governs and the octets it needs
// to be zero; the octets in front of those are not looked at. The bands leave out the first
// octets strictly between 127 and 128, which no rule governs.
struct NetworkRule {
    AddressClass brokenClass;
    bool (*governs)(double firstOctet);
    std::array<bool, 4> mustBeZero;
};

constexpr NetworkRule kNetworkRules[] = {
    {AddressClass::ClassC, [](double v) { return v > 191; }, {false, false, false, true}},
    {AddressClass::ClassB,
     [](double v) { return v >= 128 && v <= 191; },
     {false, false, true, true}},
    {AddressClass::ClassA, [](double v) { return v <= 127; }, {false, true, true, true}},
};

// The rules tried in order, the first that is broken deciding.
std::optional<AddressClass> ExpectedCheck(const OctetTexts& octets) {
    for (const NetworkRule& rule : kNetworkRules) {
        bool broken = false;
        for (int k = 1; k < 4; ++k)
            broken = broken || (rule.mustBeZero[k] && NumericValue(octets[k]) != 0);
        if (rule.governs(NumericValue(octets[0])) && broken)
            return rule.brokenClass;
    }
    return std::nullopt;
}

// The check of the whole address, and of the address with each trailing octet on its own beside
// the first, against the rule table.
void CheckNetworkRules(const OctetTexts& octets) {
    FUZZ_REQUIRE(CheckNetworkAddress(octets) == ExpectedCheck(octets));
    for (int k = 1; k < 4; ++k) {
        OctetTexts single{octets[0], "0", "0", "0"};
        single[k] = octets[k];
        FUZZ_REQUIRE(CheckNetworkAddress(single) == ExpectedCheck(single));
    }
}

// CarryOctets against its rule, octet by octet from the fourth: an octet (with what was carried
// into it) above 255 hands whole blocks of 256 to the octet in front and keeps 0 to 255; any other
// octet, a negative one included, stays as it is. The first octet only ever gains.
void CheckCarries(const WorkingAddress& address) {
    WorkingAddress carried = address;
    CarryOctets(carried);
    std::int64_t incoming = 0;
    for (int k = 3; k > 0; --k) {
        const std::int64_t before = address.octet[k] + incoming;
        const std::int64_t after = carried.octet[k];
        if (before > 255) {
            FUZZ_REQUIRE(after >= 0 && after <= 255 && (before - after) % 256 == 0);
            incoming = (before - after) / 256;
        } else {
            FUZZ_REQUIRE(after == before);
            incoming = 0;
        }
    }
    FUZZ_REQUIRE(carried.octet[0] == address.octet[0] + incoming);

    // The rule as written, one block at a time, where that stays quick.
    if (std::all_of(address.octet.begin(), address.octet.end(),
                    [](std::int64_t o) { return o < (1 << 20); })) {
        WorkingAddress looped = address;
        for (int k = 3; k > 0; --k) {
            while (looped.octet[k] > 255) {
                looped.octet[k] -= 256;
                looped.octet[k - 1] += 1;
            }
        }
        FUZZ_REQUIRE(carried == looped);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzz::SplitInput<5>(data, size);
    OctetTexts octets{input.texts[0], input.texts[1], input.texts[2], input.texts[3]};
    // The check takes any texts, a first octet above 223 included.
    CheckNetworkRules(octets);

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
        const std::string shown =
            "The address " + octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3] + " ";
        FUZZ_REQUIRE(NetworkErrorLines(*broken, octets)[1].starts_with(shown));
    }

    const AddressLoad load = LoadWorkingAddress(octets);
    if (load.ok())
        CheckCarries(load.address);
    for (int k = 0; k < (load.ok() ? 4 : load.badOctet); ++k) {
        // The nearest integer, a half going to the even one.
        const double off = std::fabs(NumericValue(octets[k]) - double(load.address.octet[k]));
        FUZZ_REQUIRE(off < 0.5 || (off == 0.5 && load.address.octet[k] % 2 == 0));
    }
    if (!load.ok()) {
        const double v = NumericValue(octets[load.badOctet]);
        // -2147483648.5 rounds to the even -2147483648 and fits; 2147483647.5 does not.
        FUZZ_REQUIRE(!(v >= -2147483648.5 && v < 2147483647.5));
        FUZZ_REQUIRE(OctetRangeErrorLines(octets[load.badOctet])[1].find(octets[load.badOctet]) !=
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
    const SubnetRows onDemand(load.address, plan.hostsPerSubnet, plan.subnetCount);
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
        // The row made on demand is the row stepped to, octet by octet.
        FUZZ_REQUIRE(onDemand.row(static_cast<std::size_t>(count)) == row);
        ++count;
    });
    FUZZ_REQUIRE(count == rows);
    // Far beyond the rows stepped through, the last row still covers its own addresses.
    const SubnetRow last = onDemand.row(onDemand.size() - 1);
    const std::int64_t lastNumber = plan.subnetCount - 1;
    FUZZ_REQUIRE(last.number == lastNumber);
    FUZZ_REQUIRE(Value(last.start) == first + lastNumber * hosts);
    FUZZ_REQUIRE(Value(last.end) == Value(last.start) + hosts - 1);
    FUZZ_REQUIRE((lastNumber == 0 || Carried(last.start)) && Carried(last.end));

    // Type-ahead: the bytes after the five lines are a kind, a row to look from and a typed text;
    // the row computed is the row a look through every row of the plan cut short finds.
    if (input.rest.size() >= 2) {
        const auto kind = static_cast<RowText>(static_cast<unsigned char>(input.rest[0]) % 3);
        const std::size_t from = static_cast<unsigned char>(input.rest[1]) * 17 % rows;
        const std::string_view typed = input.rest.substr(2, 24);
        const SubnetRows cut(load.address, plan.hostsPerSubnet, rows);
        std::optional<std::size_t> lookedThrough;
        for (std::size_t step = 0; step < cut.size() && !lookedThrough; ++step) {
            const std::size_t i = (from + step) % cut.size();
            if (RowTextOf(cut, kind, i).starts_with(typed))
                lookedThrough = i;
        }
        FUZZ_REQUIRE(FindRowStartingWith(cut, kind, typed, from) == lookedThrough);
    }
    return 0;
}
