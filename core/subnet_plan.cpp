#include "subnet_plan.h"

#include "numeric.h"
#include "subnet_enumeration.h"

namespace tessnivar {

namespace {

bool BitsSuit(std::int64_t bits, AddressClass addressClass) noexcept {
    return bits == 0 || (bits >= 2 && bits <= MaxBitsBorrowed(addressClass));
}

} // namespace

Result<SubnetPlan, PlanRefusal> MakePlan(const OctetTexts& octets, std::int64_t bitsBorrowed) {
    const auto addressClass = ClassOfFirstOctet(NumericValue(octets[0]));
    if (!addressClass)
        return PlanRefusal{PlanError::FirstOctetAbove223};
    if (!BitsSuit(bitsBorrowed, *addressClass))
        return PlanRefusal{PlanError::BitsOutOfRange, *addressClass};
    if (const auto brokenClass = CheckNetworkAddress(octets))
        return PlanRefusal{PlanError::NotNetworkAddress, *brokenClass};
    const AddressLoad load = LoadWorkingAddress(octets);
    if (!load.ok())
        return PlanRefusal{PlanError::OctetOutOfRange, *addressClass, load.badOctet};

    SubnetPlan plan;
    plan.addressClass = *addressClass;
    plan.bitsBorrowed = static_cast<std::int16_t>(bitsBorrowed);
    plan.figures = ComputeMaskAndCounts(ClassMaskBits(*addressClass), plan.bitsBorrowed);
    plan.rows = SubnetRows(load.address, plan.figures.hostsPerSubnet, plan.figures.subnetCount);
    return plan;
}

std::vector<std::string> RefusalLines(const PlanRefusal& refusal, const OctetTexts& octets) {
    if (refusal.error == PlanError::OctetOutOfRange)
        return OctetRangeErrorLines(octets[static_cast<std::size_t>(refusal.badOctet)]);
    return NetworkErrorLines(refusal.addressClass, octets);
}

} // namespace tessnivar
