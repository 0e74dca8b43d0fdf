#include "subnet_enumeration.h"

#include "numeric.h"

namespace tessnivar {

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

} // namespace tessnivar
