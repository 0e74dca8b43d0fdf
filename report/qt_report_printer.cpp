#include "qt_report_printer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrinter>

namespace tessnivar {

QtReportPrinter::QtReportPrinter(std::unique_ptr<QPrinter> printer)
    : ownPrinter_(std::move(printer)), printer_(*ownPrinter_),
      font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
}

QtReportPrinter::QtReportPrinter(LayoutOnly, QPrinter& printer, const QFont& font)
    : printer_(printer), font_(font) {
}

QtReportPrinter::~QtReportPrinter() {
    if (painter_.isActive())
        abandon();
}

std::unique_ptr<ReportPrinter> QtReportPrinter::layoutOnly() const {
    return std::unique_ptr<ReportPrinter>(new QtReportPrinter(LayoutOnly{}, printer_, font_));
}

void QtReportPrinter::setFontSize(float points) {
    font_.setPointSizeF(points);
}

void QtReportPrinter::setBold(bool on) {
    font_.setBold(on);
}

void QtReportPrinter::setItalic(bool on) {
    font_.setItalic(on);
}

bool QtReportPrinter::printLine(std::string_view text) {
    if (failed_)
        return false;
    const bool draws = ownPrinter_ != nullptr;
    if (draws && !painter_.isActive() && !painter_.begin(&printer_))
        return fail();
    // Metrics on the printer itself, so a layout-only copy measures exactly as printing does.
    const QFontMetricsF metrics(font_, &printer_);
    const qreal height = metrics.lineSpacing();
    if (pagesBegun_ == 0) {
        pagesBegun_ = 1;
    } else if (nextTop_ > 0 && nextTop_ + height > printer_.height()) {
        if (draws && !printer_.newPage())
            return fail();
        nextTop_ = 0;
        ++pagesBegun_;
    }
    if (draws && !text.empty()) {
        painter_.setFont(font_);
        painter_.drawText(QPointF(0, nextTop_ + metrics.ascent()),
                          QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    nextTop_ += height;
    return printer_.printerState() != QPrinter::Error || fail();
}

bool QtReportPrinter::endDocument() {
    if (failed_)
        return false;
    if (painter_.isActive() && !painter_.end())
        return fail();
    return printer_.printerState() != QPrinter::Error || fail();
}

void QtReportPrinter::abandon() {
    failed_ = true;
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

bool QtReportPrinter::fail() {
    failed_ = true;
    return false;
}

} // namespace tessnivar
