#include "network_check.h"

#include "numeric.h"

namespace tessnivar {

std::optional<AddressClass> CheckNetworkAddress(const OctetTexts& octets) {
    const double v0 = NumericValue(octets[0]);
    const double v1 = NumericValue(octets[1]);
    const double v2 = NumericValue(octets[2]);
    const double v3 = NumericValue(octets[3]);
    if (v0 > 191 && v3 != 0)
        return AddressClass::ClassC;
    if (!(v0 < 128) && !(v0 > 191) && (v2 != 0 || v3 != 0))
        return AddressClass::ClassB;
    if (!(v0 > 127) && (v1 != 0 || v2 != 0 || v3 != 0))
        return AddressClass::ClassA;
    return std::nullopt;
}

std::vector<std::string> NetworkErrorLines(AddressClass brokenClass, const OctetTexts& octets) {
    std::vector<std::string> lines{"Sorry: This address cannot be subnetted.",
                                   "The address " + octets[0] + "." + octets[1] + "." + octets[2] +
                                       "." + octets[3] + " does not represent a network address."};
    switch (brokenClass) {
    case AddressClass::ClassC:
        lines.emplace_back("HINT: To be a network address, the last octet MUST be zero.");
        break;
    case AddressClass::ClassB:
        lines.emplace_back("HINT: To be a network address, the last two octets MUST be zero");
        lines.emplace_back("since this is a Class B address.");
        break;
    case AddressClass::ClassA:
        lines.emplace_back("HINT: To be a network address, the last three octets MUST be zero");
        lines.emplace_back("since this is a Class A address.");
        break;
    }
    return lines;
}

} // namespace tessnivar
