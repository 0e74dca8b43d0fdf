#include "report_messages.h"

#include "quoted_name.h"
#include "report_files.h"

#include <QDir>

namespace tessnivar {

ReportMessage CountsRefusalMessage() {
    return {QStringLiteral("Report Error"),
            QStringLiteral("The report cannot be made.\r\n"
                           "The subnet and host counts must be positive numbers.")};
}

ReportMessage FileWriteFailureMessage(const ReportFileError& error) {
    return {QStringLiteral("Write File Error"),
            QStringLiteral("Cannot write %1:\r\n%2")
                .arg(QString::fromStdString(
                         QuotedName(QDir::toNativeSeparators(error.fileName).toStdString())),
                     error.reason)};
}

ReportMessage NoPrinterMessage() {
    return {QStringLiteral("Print Error"),
            QStringLiteral("There is no default printer.\r\nNothing was printed.")};
}

ReportMessage PrinterFailureMessage() {
    return {QStringLiteral("Print Error"),
            QStringLiteral("The printer failed while printing.\r\nThe document was abandoned.")};
}

} // namespace tessnivar
