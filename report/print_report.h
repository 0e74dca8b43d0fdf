#pragma once

#include "print_progress.h"
#include "report_content.h"
#include "result.h"
#include "subnet_rows.h"

namespace tessnivar {

class ReportPrinter;

// Why a document was abandoned.
enum class PrintStop { PrinterFailed, Cancelled };

// Prints the report as one document: the title 24 pt bold, the reminder block 12 pt bold
// italic, the summary and the table in column form 12 pt plain, one line per print. When the
// printer fails, or progress asks to stop, the job is abandoned at once and nothing more is
// printed. With progress, the pages are counted first and each completed page is reported.
[[nodiscard]] Result<Done, PrintStop>
PrintReport(ReportPrinter& printer, const ReportFields& fields, const ReportFigures& figures,
            const SubnetRows& rows, PrintProgress* progress = nullptr);

} // namespace tessnivar
