#pragma once

#include "command_line.h"
#include "report_content.h"
#include "report_files.h"
#include "subnet_row.h"

#include <cstdint>
#include <string>
#include <variant>

namespace tessnivar {

// A plan ready to be reported: the window's texts and figures, and where its rows begin.
struct PlannedReport {
    ReportFields fields;
    ReportFigures figures;
    WorkingAddress start;
    std::int32_t hostsPerSubnet = 0;
    std::int32_t subnetCount = 0;
};

// Why the window would not produce a plan; lines split by "\n".
struct PlanRefusal {
    std::string reason;
};

// The plan the window lists after request's octets are typed into its boxes, its spinner is
// stepped to request's bits and Calculate is clicked; or why the window would refuse it there.
[[nodiscard]] std::variant<PlannedReport, PlanRefusal> PlanReport(const ReportRequest& request);

// The rows of a plan, made one at a time as they are written, so memory stays flat.
class PlannedRows final : public ReportRows {
public:
    explicit PlannedRows(const PlannedReport& plan) : plan_(plan) {}

    std::size_t size() const override;
    void forEach(const std::function<void(const SubnetRow&)>& visit) const override;

private:
    const PlannedReport& plan_;
};

} // namespace tessnivar
