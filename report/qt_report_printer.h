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
    [[nodiscard]] bool printLine(std::string_view text) override;
    [[nodiscard]] bool endDocument() override;
    void abandon() override;
    [[nodiscard]] int pagesBegun() const override { return pagesBegun_; }
    [[nodiscard]] std::unique_ptr<ReportPrinter> layoutOnly() const override;

private:
    // Lays lines out on the pages of printer, which it does not own, without drawing them.
    struct LayoutOnly {};
    QtReportPrinter(LayoutOnly, QPrinter& printer, const QFont& font);

    bool fail();

    std::unique_ptr<QPrinter> ownPrinter_; // null when laying out only
    QPrinter& printer_;
    QPainter painter_;
    QFont font_;
    // Top of the next line on the page, in device pixels.
    qreal nextTop_ = 0;
    int pagesBegun_ = 0;
    bool failed_ = false;
};

} // namespace tessnivar
