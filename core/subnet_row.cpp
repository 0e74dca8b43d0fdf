#include "subnet_row.h"

#include "numeric.h"

namespace tessnivar {

std::string DottedQuad(const WorkingAddress& address) {
    char buffer[kMaxDottedQuadChars + 2];
    return std::string(buffer, WriteDottedQuad(buffer, address));
}

std::string SubnetRow::subnetNumber() const {
    return DecimalText(number);
}

} // namespace tessnivar
