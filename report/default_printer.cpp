#include "default_printer.h"

#include "qt_report_printer.h"

#include <QFile>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>
#include <cups/cups.h>

namespace tessnivar {

namespace {

// The name the print queue lists the job under.
constexpr char kJobTitle[] = "Tessnivar";

// Hands a finished spool file to a CUPS queue ("name" or "name/instance") with the queue's own
// options and the paper the document was laid out for. false when the print system refuses it.
bool SubmitToQueue(const QString& queue, const QString& spoolFile, const QString& paper) {
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section(QLatin1Char('/'), 1).toLocal8Bit();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    cups_option_t* options = nullptr;
    int optionCount = 0;
    if (dest) {
        for (int i = 0; i < dest->num_options; ++i)
            optionCount =
                cupsAddOption(dest->options[i].name, dest->options[i].value, optionCount, &options);
        cupsFreeDests(1, dest);
    }
    if (!paper.isEmpty())
        optionCount = cupsAddOption("media", paper.toLatin1().constData(), optionCount, &options);
    const int job = cupsPrintFile(name.constData(), QFile::encodeName(spoolFile).constData(),
                                  kJobTitle, optionCount, options);
    cupsFreeOptions(optionCount, options);
    return job != 0;
}

// A document for a system printer: drawn by a QtReportPrinter into a spool file, which goes to
// the printer's queue when the document ends and is removed otherwise. Qt's own print engine
// would hand over whatever was drawn even when the job is abandoned.
class SpooledPrinter final : public ReportPrinter {
public:
    SpooledPrinter(QString queue, QString paper, std::unique_ptr<QTemporaryFile> spool,
                   std::unique_ptr<QPrinter> printer)
        : queue_(std::move(queue)), paper_(std::move(paper)), spool_(std::move(spool)),
          document_(std::move(printer)) {}

    void setFontSize(float points) override { document_.setFontSize(points); }
    void setBold(bool on) override { document_.setBold(on); }
    void setItalic(bool on) override { document_.setItalic(on); }
    bool printLine(std::string_view text) override { return document_.printLine(text); }
    bool endDocument() override {
        return document_.endDocument() && SubmitToQueue(queue_, spool_->fileName(), paper_);
    }
    void abandon() override { document_.abandon(); }
    int pagesBegun() const override { return document_.pagesBegun(); }
    std::unique_ptr<ReportPrinter> layoutOnly() const override { return document_.layoutOnly(); }

private:
    QString queue_;
    QString paper_;
    std::unique_ptr<QTemporaryFile> spool_; // removed with the printer
    QtReportPrinter document_;
};

} // namespace

std::unique_ptr<ReportPrinter> OpenDefaultPrinter() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto spool = std::make_unique<QTemporaryFile>();
    if (!spool->open())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    // With a file name the printer's engine writes its document there, laid out for the printer's
    // paper and margins, instead of sending it.
    printer->setOutputFileName(spool->fileName());
    const QString paper = printer->pageLayout().pageSize().key();
    return std::make_unique<SpooledPrinter>(info.printerName(), paper, std::move(spool),
                                            std::move(printer));
}

} // namespace tessnivar
