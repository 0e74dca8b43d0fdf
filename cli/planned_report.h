#pragma once

#include "command_line.h"
#include "report_content.h"
#include "report_files.h"
#include "subnet_rows.h"

#include <cstdint>
#include <string>
#include <variant>

namespace tessnivar {

// A plan ready to be reported: the window's texts and figures, and its rows.
struct PlannedReport {
    ReportFields fields;
    ReportFigures figures;
    SubnetRows rows;
};

// Why the window would not produce a plan; lines split by "\n".
struct PlanRefusal {
    std::string reason;
};

// The plan the window lists after request's octets are typed into its boxes, its spinner is
// stepped to request's bits and Calculate is clicked; or why the window would refuse it there.
[[nodiscard]] std::variant<PlannedReport, PlanRefusal> PlanReport(const ReportRequest& request);

} // namespace tessnivar
