#include "planned_report.h"

#include "address_class.h"
#include "mask_and_counts.h"
#include "numeric.h"
#include "report_messages.h"
#include "subnet_enumeration.h"

namespace tessnivar {

namespace {

// The window's messages split lines by CR LF; a terminal wants LF alone.
std::string WithLineFeeds(std::string text) {
    std::erase(text, '\r');
    return text;
}

std::string ClassName(AddressClass addressClass) {
    switch (addressClass) {
    case AddressClass::ClassA:
        return "Class A";
    case AddressClass::ClassB:
        return "Class B";
    case AddressClass::ClassC:
        break;
    }
    return "Class C";
}

// The spinner offers 0 and 2 to the class's maximum: one bit borrowed leaves no usable subnet.
std::optional<PlanRefusal> CheckBits(const ReportRequest& request, AddressClass addressClass) {
    const std::int16_t most = MaxBitsBorrowed(addressClass);
    if (request.bits == 0 || (request.bits >= 2 && request.bits <= most))
        return std::nullopt;
    const std::string valid = "a " + ClassName(addressClass) + " network takes 0, or 2 to " +
                              std::to_string(most) + " bits.";
    if (request.bits == 1)
        return PlanRefusal{"1 bit borrowed leaves no usable subnets; " + valid};
    return PlanRefusal{"cannot borrow " + request.bitsText + " bits; " + valid};
}

} // namespace

std::variant<PlannedReport, PlanRefusal> PlanReport(const ReportRequest& request) {
    const OctetTexts& octets = request.octets;
    const auto addressClass = ClassOfFirstOctet(NumericValue(octets[0]));
    if (!addressClass)
        return PlanRefusal{"the first octet " + octets[0] +
                           " is above 223; only Class A, B and C networks can be subnetted."};
    if (auto refusal = CheckBits(request, *addressClass))
        return *refusal;

    if (const auto brokenClass = CheckNetworkAddress(octets))
        return PlanRefusal{WithLineFeeds(NetworkErrorText(*brokenClass, octets))};
    const AddressLoad load = LoadWorkingAddress(octets);
    if (!load.ok())
        return PlanRefusal{WithLineFeeds(OctetRangeErrorText(octets[load.badOctet]))};

    const auto bits = static_cast<std::int16_t>(request.bits);
    const MaskAndCounts counts = ComputeMaskAndCounts(ClassMaskBits(*addressClass), bits);
    PlannedReport plan;
    plan.fields = {octets, counts.maskText, DecimalText(bits), DecimalText(counts.subnetCount),
                   DecimalText(counts.hostsPerSubnet)};
    const auto figures = ComputeReportFigures(plan.fields);
    if (!figures)
        return PlanRefusal{WithLineFeeds(CountsRefusalMessage().text.toStdString())};
    plan.figures = *figures;
    plan.rows = SubnetRows(load.address, counts.hostsPerSubnet, counts.subnetCount);
    return plan;
}

} // namespace tessnivar
