#include "print_report.h"

#include "report_printer.h"
#include "subnet_row_store.h"

#include <QString>

namespace tessnivar {

namespace {

bool PrintAll(ReportPrinter& printer, const ReportFields& fields, const ReportFigures& figures,
              const SubnetRowStore& rows) {
    const auto print = [&printer](std::string_view text) {
        return printer.printLine(
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
    const auto lines = OpeningLines(fields, figures);

    printer.setBold(true);
    printer.setFontSize(24);
    if (!print(lines[0]))
        return false;
    printer.setFontSize(12);
    printer.setItalic(true);
    for (std::size_t k = kReminderBegin; k < kReminderEnd; ++k) {
        if (!print(lines[k]))
            return false;
    }
    printer.setItalic(false);
    printer.setBold(false);
    for (std::size_t k = kReminderEnd; k < lines.size(); ++k) {
        if (!print(lines[k]))
            return false;
    }
    if (!print(ColumnHeader()))
        return false;

    char row[kMaxColumnRowChars];
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char* end = WriteColumnRow(row, rows.row(i), IsMarkedRow(i, n));
        if (!printer.printLine(QString::fromLatin1(row, end - row)))
            return false;
    }
    return printer.endDocument();
}

} // namespace

PrintResult PrintReport(ReportPrinter& printer, const ReportFields& fields,
                        const ReportFigures& figures, const SubnetRowStore& rows) {
    if (PrintAll(printer, fields, figures, rows))
        return PrintResult::Printed;
    printer.abandon();
    return PrintResult::PrinterFailed;
}

} // namespace tessnivar
