#pragma once

#include "report_printer.h"

#include <memory>

namespace tessnivar {

// The system's default printer ready for one document; nullptr when there is none. The document
// is drawn into a spool file of its own and handed to the print system only when it ends whole,
// so an abandoned document (cancelled, or failed part way) sends nothing at all.
[[nodiscard]] std::unique_ptr<ReportPrinter> OpenDefaultPrinter();

} // namespace tessnivar
