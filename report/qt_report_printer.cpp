#include "qt_report_printer.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPrinter>
#include <QPrinterInfo>

namespace tessnivar {

QtReportPrinter::QtReportPrinter(std::unique_ptr<QPrinter> printer)
    : printer_(std::move(printer)), font_(QFontDatabase::systemFont(QFontDatabase::FixedFont)) {
}

QtReportPrinter::~QtReportPrinter() {
    if (painter_.isActive())
        abandon();
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

bool QtReportPrinter::printLine(const QString& text) {
    if (failed_)
        return false;
    if (!painter_.isActive() && !painter_.begin(printer_.get()))
        return fail();
    painter_.setFont(font_);
    const QFontMetricsF metrics(painter_.font(), printer_.get());
    const qreal height = metrics.lineSpacing();
    if (nextTop_ > 0 && nextTop_ + height > printer_->height()) {
        if (!printer_->newPage())
            return fail();
        nextTop_ = 0;
    }
    if (!text.isEmpty())
        painter_.drawText(QPointF(0, nextTop_ + metrics.ascent()), text);
    nextTop_ += height;
    return printer_->printerState() != QPrinter::Error || fail();
}

bool QtReportPrinter::endDocument() {
    if (failed_)
        return false;
    if (painter_.isActive() && !painter_.end())
        return fail();
    return printer_->printerState() != QPrinter::Error || fail();
}

void QtReportPrinter::abandon() {
    failed_ = true;
    if (painter_.isActive()) {
        printer_->abort();
        painter_.end();
    }
}

bool QtReportPrinter::fail() {
    failed_ = true;
    return false;
}

std::unique_ptr<ReportPrinter> OpenDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    return std::make_unique<QtReportPrinter>(
        std::make_unique<QPrinter>(info, QPrinter::HighResolution));
}

} // namespace tessnivar
