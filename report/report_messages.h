#pragma once

#include <QString>

namespace tessnivar {

struct ReportFileError;

// A message box's title and text, lines split by CR LF; each is shown with the critical icon
// and an OK button.
struct ReportMessage {
    QString title;
    QString text;
};

// The refusal when the used fraction cannot be computed from the subnet and host counts.
[[nodiscard]] ReportMessage CountsRefusalMessage();

// A report file that could not be written, naming the file and the system's reason.
[[nodiscard]] ReportMessage FileWriteFailureMessage(const ReportFileError& error);

// Print with no default printer: nothing was printed.
[[nodiscard]] ReportMessage NoPrinterMessage();

// A printer that failed while printing: the job was abandoned.
[[nodiscard]] ReportMessage PrinterFailureMessage();

} // namespace tessnivar
