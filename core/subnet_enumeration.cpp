#include "subnet_enumeration.h"

#include "numeric.h"

namespace tessnivar {

namespace {

// Same result as "while low > 255: low -= 256, high += 1", in one step.
void CarryInto(std::int64_t& low, std::int64_t& high) noexcept {
    if (low > 255) {
        const std::int64_t blocks = low / 256;
        low -= blocks * 256;
        high += blocks;
    }
}

} // namespace

AddressLoad LoadWorkingAddress(const OctetTexts& octets) {
    AddressLoad load;
    for (int k = 0; k < 4; ++k) {
        const auto value = RoundToInt32(NumericValue(octets[k]));
        if (!value) {
            load.badOctet = k;
            return load;
        }
        load.address.octet[k] = *value;
    }
    return load;
}

std::vector<std::string> OctetRangeErrorLines(std::string_view octetText) {
    return {"Sorry: This address cannot be subnetted.",
            "The octet " + std::string(octetText) + " is out of range."};
}

void CarryOctets(WorkingAddress& address) noexcept {
    CarryInto(address.octet[3], address.octet[2]);
    CarryInto(address.octet[2], address.octet[1]);
    CarryInto(address.octet[1], address.octet[0]);
}

} // namespace tessnivar
