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

std::string NetworkErrorText(AddressClass brokenClass, const OctetTexts& octets) {
    std::string text = "Sorry: This address cannot be subnetted.\r\nThe address ";
    text += octets[0] + "." + octets[1] + "." + octets[2] + "." + octets[3];
    text += " does not represent a network address.\r\n";
    switch (brokenClass) {
    case AddressClass::ClassC:
        text += "HINT: To be a network address, the last octet MUST be zero.";
        break;
    case AddressClass::ClassB:
        text += "HINT: To be a network address, the last two octets MUST be zero\r\n"
                "since this is a Class B address.";
        break;
    case AddressClass::ClassA:
        text += "HINT: To be a network address, the last three octets MUST be zero\r\n"
                "since this is a Class A address.";
        break;
    }
    return text;
}

} // namespace tessnivar
