#pragma once

#include "report_content.h"

namespace tessnivar {

class ReportPrinter;
class SubnetRowStore;

enum class PrintResult { Printed, PrinterFailed };

// Prints the report as one document: the title 24 pt bold, the reminder block 12 pt bold
// italic, the summary and the table in column form 12 pt plain, one line per print. When the
// printer fails the job is abandoned at once and nothing more is printed.
[[nodiscard]] PrintResult PrintReport(ReportPrinter& printer, const ReportFields& fields,
                                      const ReportFigures& figures, const SubnetRowStore& rows);

} // namespace tessnivar
