#pragma once

#include "command_line.h"
#include "report_content.h"
#include "subnet_plan.h"

#include <string>
#include <variant>
#include <vector>

namespace tessnivar {

// A plan ready to be reported: the texts the window would show for it, its figures and its rows.
struct PlannedReport {
    ReportFields fields;
    ReportFigures figures;
    SubnetRows rows;
};

// The report of the plan the window lists after request's octets are typed into its boxes, its
// spinner is stepped to request's bits and Calculate is clicked; or the lines that say why the
// window would refuse it.
[[nodiscard]] std::variant<PlannedReport, std::vector<std::string>>
PlanReport(const ReportRequest& request);

} // namespace tessnivar
