#include "planned_report.h"

#include "numeric.h"

namespace tessnivar {

namespace {

std::string ClassName(AddressClass addressClass) {
    return std::string("Class ") + "ABC"[static_cast<int>(addressClass)];
}

} // namespace

// The tool's own words for what the window never lets through: its first box refuses octets
// above 223, and its spinner offers only 0 and 2 to the class's maximum.
std::vector<std::string> RefusalLines(const PlanRefusal& refusal, const ReportRequest& request) {
    if (refusal.error == PlanError::FirstOctetAbove223)
        return {"the first octet " + request.octets[0] +
                " is above 223; only Class A, B and C networks can be subnetted."};
    if (refusal.error != PlanError::BitsOutOfRange)
        return RefusalLines(refusal, request.octets);
    const std::string valid = "a " + ClassName(refusal.addressClass) +
                              " network takes 0, or 2 to " +
                              DecimalText(MaxBitsBorrowed(refusal.addressClass)) + " bits.";
    if (request.bits == 1)
        return {"1 bit borrowed leaves no usable subnets; " + valid};
    return {"cannot borrow " + request.bitsText + " bits; " + valid};
}

Result<PlannedReport, PlanRefusal> PlanReport(const ReportRequest& request) {
    const auto made = MakePlan(request.octets, request.bits);
    if (!made.ok())
        return made.error();
    const SubnetPlan& plan = made.value();
    const MaskAndCounts& counts = plan.figures;
    PlannedReport report;
    report.fields = {request.octets, counts.maskText, DecimalText(plan.bitsBorrowed),
                     DecimalText(counts.subnetCount), DecimalText(counts.hostsPerSubnet)};
    // A plan's counts are positive powers of two, so its figures always compute.
    report.figures = *ComputeReportFigures(counts.subnetCount, counts.hostsPerSubnet);
    report.rows = plan.rows;
    return report;
}

} // namespace tessnivar
