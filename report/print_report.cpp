#include "print_report.h"

#include "report_printer.h"

namespace tessnivar {

namespace {

// Prints one line at a time and keeps why it stopped, so the document ends at the first problem:
// the printer failing, or the user cancelling once a page is complete.
class LinePrinter {
public:
    LinePrinter(ReportPrinter& printer, PrintProgress* progress)
        : printer_(printer), progress_(progress) {}

    [[nodiscard]] ReportPrinter& printer() const noexcept { return printer_; }
    [[nodiscard]] PrintStop stopReason() const noexcept { return stopReason_; }

    [[nodiscard]] bool print(std::string_view text) {
        if (!printer_.printLine(text))
            return false;
        const int begun = printer_.pagesBegun();
        if (progress_ && begun > pagesBegun_) {
            pagesBegun_ = begun;
            if (begun > 1 && !progress_->pagesDone(begun - 1)) {
                stopReason_ = PrintStop::Cancelled;
                return false;
            }
        }
        return true;
    }

private:
    ReportPrinter& printer_;
    PrintProgress* progress_;
    int pagesBegun_ = 0;
    PrintStop stopReason_ = PrintStop::PrinterFailed;
};

bool PrintAll(LinePrinter& out, const ReportFields& fields, const ReportFigures& figures,
              const SubnetRows& rows) {
    ReportPrinter& printer = out.printer();
    const auto lines = OpeningLines(fields, figures);

    printer.setBold(true);
    printer.setFontSize(24);
    if (!out.print(lines[0]))
        return false;
    printer.setFontSize(12);
    printer.setItalic(true);
    for (std::size_t k = kReminderBegin; k < kReminderEnd; ++k) {
        if (!out.print(lines[k]))
            return false;
    }
    printer.setItalic(false);
    printer.setBold(false);
    for (std::size_t k = kReminderEnd; k < lines.size(); ++k) {
        if (!out.print(lines[k]))
            return false;
    }
    if (!out.print(ColumnHeader()))
        return false;

    char row[kMaxColumnRowChars];
    const std::size_t n = rows.size();
    for (std::size_t i = 0; i < n; ++i) {
        const char* end = WriteColumnRow(row, rows.row(i), IsMarkedRow(i, n));
        if (!out.print(std::string_view(row, static_cast<std::size_t>(end - row))))
            return false;
    }
    return true;
}

} // namespace

Result<Done, PrintStop> PrintReport(ReportPrinter& printer, const ReportFields& fields,
                                    const ReportFigures& figures, const SubnetRows& rows,
                                    PrintProgress* progress) {
    if (progress) {
        const auto layout = printer.layoutOnly();
        LinePrinter counting(*layout, nullptr);
        if (PrintAll(counting, fields, figures, rows))
            progress->start(layout->pagesBegun());
    }
    LinePrinter out(printer, progress);
    if (PrintAll(out, fields, figures, rows) && printer.endDocument())
        return Done{};
    printer.abandon();
    return out.stopReason();
}

} // namespace tessnivar
