#include "address_class.h"

namespace tessnivar {

std::optional<AddressClass> ClassOfFirstOctet(double v) noexcept {
    if (v < 127)
        return AddressClass::ClassA;
    if (v <= 191)
        return AddressClass::ClassB;
    if (v <= 223)
        return AddressClass::ClassC;
    return std::nullopt;
}

std::int16_t ClassMaskBits(AddressClass addressClass) noexcept {
    switch (addressClass) {
    case AddressClass::ClassA:
        return 8;
    case AddressClass::ClassB:
        return 16;
    case AddressClass::ClassC:
        break;
    }
    return 24;
}

std::int16_t MaxBitsBorrowed(AddressClass addressClass) noexcept {
    return static_cast<std::int16_t>(kLongestPrefix - ClassMaskBits(addressClass));
}

std::vector<std::string> FirstOctetRefusalLines() {
    return {"The IP you are entering is invalid.", "The first octet must be < 224",
            "Adjusting vlaues..."};
}

} // namespace tessnivar
