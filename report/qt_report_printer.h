#pragma once

#include "report_printer.h"

#include <QFont>
#include <QPainter>
#include <memory>

class QPrinter;

namespace tessnivar {

// A ReportPrinter over a Qt printer: the system's fixed-pitch font, so the table's columns line
// up, lines from the top of the printable area down, a new page when the next line does not
// fit. The document begins with the first line printed.
class QtReportPrinter final : public ReportPrinter {
public:
    // Prints on printer (set up by the caller: a system printer, or a PDF file).
    explicit QtReportPrinter(std::unique_ptr<QPrinter> printer);
    // A document neither ended nor abandoned is abandoned.
    ~QtReportPrinter() override;

    QtReportPrinter(const QtReportPrinter&) = delete;
    QtReportPrinter& operator=(const QtReportPrinter&) = delete;

    void setFontSize(float points) override;
    void setBold(bool on) override;
    void setItalic(bool on) override;
    [[nodiscard]] bool printLine(const QString& text) override;
    [[nodiscard]] bool endDocument() override;
    void abandon() override;

private:
    bool fail();

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QFont font_;
    // Top of the next line on the page, in device pixels.
    qreal nextTop_ = 0;
    bool failed_ = false;
};

// The system's default printer ready for one document; nullptr when there is none.
[[nodiscard]] std::unique_ptr<ReportPrinter> OpenDefaultPrinter();

} // namespace tessnivar
