#pragma once

#include "command_line.h"
#include "report_content.h"
#include "result.h"
#include "subnet_plan.h"

#include <string>
#include <vector>

namespace tessnivar {

// A plan ready to be reported: the texts the window would show for it, its figures and its rows.
struct PlannedReport {
    ReportFields fields;
    ReportFigures figures;
    SubnetRows rows;
};

// The report of the plan the window lists after request's octets are typed into its boxes, its
// spinner is stepped to request's bits and Calculate is clicked; or why the window would refuse
// it.
[[nodiscard]] Result<PlannedReport, PlanRefusal> PlanReport(const ReportRequest& request);

// The lines that tell why request is refused.
[[nodiscard]] std::vector<std::string> RefusalLines(const PlanRefusal& refusal,
                                                    const ReportRequest& request);

} // namespace tessnivar
