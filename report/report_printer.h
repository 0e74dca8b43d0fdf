#pragma once

#include <memory>
#include <string_view>

namespace tessnivar {

// A printer seen as a text surface: a current font of one face, a size and two styles, and a
// current position that each printed line moves to the start of the next line, onto a new page
// when the page is full. One document per printer.
class ReportPrinter {
public:
    virtual ~ReportPrinter() = default;

    virtual void setFontSize(float points) = 0;
    virtual void setBold(bool on) = 0;
    virtual void setItalic(bool on) = 0;
    // Prints text (UTF-8) at the current position, then moves to the next line; empty text is an
    // empty line. Returns false once the printer has failed.
    [[nodiscard]] virtual bool printLine(std::string_view text) = 0;
    // Ends the document and hands the job to the printer; false when the printer failed.
    [[nodiscard]] virtual bool endDocument() = 0;
    // Abandons the job: nothing more is printed and nothing of it reaches the printer.
    virtual void abandon() = 0;

    // Pages the document has begun so far, the one holding the last line printed included.
    [[nodiscard]] virtual int pagesBegun() const = 0;
    // A printer with the same pages and fonts that puts nothing on paper, so that a document's
    // pages can be counted before it is printed.
    [[nodiscard]] virtual std::unique_ptr<ReportPrinter> layoutOnly() const = 0;
};

} // namespace tessnivar
