#pragma once

#include <QString>

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
    // Prints text at the current position, then moves to the next line; empty text is an
    // empty line. Returns false once the printer has failed.
    [[nodiscard]] virtual bool printLine(const QString& text) = 0;
    // Ends the document and hands the job to the printer; false when the printer failed.
    [[nodiscard]] virtual bool endDocument() = 0;
    // Abandons the job: nothing more is printed.
    virtual void abandon() = 0;
};

} // namespace tessnivar
