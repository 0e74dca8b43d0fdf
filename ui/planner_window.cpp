#include "planner_window.h"

#include "about_dialog.h"
#include "display_text.h"
#include "mask_and_counts.h"
#include "numeric.h"
#include "print_report.h"
#include "program_icon.h"
#include "quoted_name.h"
#include "report_printer.h"
#include "result_rows_model.h"
#include "services.h"
#include "subnet_plan.h"
#include "text_box.h"
#include "up_down.h"
#include "wait_cursor.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QScreen>

namespace tessnivar {

PlannerWindow::PlannerWindow(Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services), results_(new ResultRowsModel(this)) {
    setObjectName(QStringLiteral("PlannerWindow"));
    setWindowTitle(tr("Tessnivar"));
    setWindowIcon(ProgramIcon());
    // A fixed layout: no maximise button, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    createMenu();
    createControls();
    connectHandlers();
    adjustSize();
    setFixedSize(sizeHint());
    showStartState();
}

PlannerWindow::~PlannerWindow() = default;

void PlannerWindow::showCentered() {
    const QRect screen = this->screen()->availableGeometry();
    show();
    move(screen.center() - frameGeometry().center() + frameGeometry().topLeft());
}

void PlannerWindow::connectHandlers() {
    for (int i = 0; i < 4; ++i) {
        connect(octetEdits[i], &QLineEdit::textChanged, this, [this, i] { onOctetTextChanged(i); });
        connect(octetEdits[i], &TextBox::gotFocus, this, [this, i] { onOctetFocused(i); });
    }
    connect(bitsSpinner, &UpDown::changed, this, &PlannerWindow::onBitsChanged);
    connect(calculateButton, &QPushButton::clicked, this, &PlannerWindow::onCalculateClicked);
    connect(printAction, &QAction::triggered, this, &PlannerWindow::onPrintTriggered);
    connect(writeFileAction, &QAction::triggered, this, &PlannerWindow::onWriteFileTriggered);
    connect(aboutAction, &QAction::triggered, this, &PlannerWindow::onAboutTriggered);
    connect(exitAction, &QAction::triggered, this, &PlannerWindow::onExitTriggered);
}

// Class C, 192.168.0.0, nothing borrowed. Each box set here runs its own handler at once, so the
// class and the spinner are set up through the same path as typing.
void PlannerWindow::showStartState() {
    classMaskBits_ = ClassMaskBits(AddressClass::ClassC);
    bitsEdit->setTextByCode(QStringLiteral("0"));
    const MaskAndCounts start = ComputeMaskAndCounts(classMaskBits_, 0);
    maskEdit->setTextByCode(DisplayText(start.maskText));
    octetEdits[0]->setTextByCode(QStringLiteral("192"));
    octetEdits[1]->setTextByCode(QStringLiteral("168"));
    octetEdits[2]->setTextByCode(QStringLiteral("0"));
    octetEdits[3]->setTextByCode(QStringLiteral("0"));
    subnetCountEdit->setTextByCode(DisplayText(start.subnetCount));
    hostCountEdit->setTextByCode(DisplayText(start.hostsPerSubnet));
    bitsSpinner->setMaximumByCode(MaxBitsBorrowed(AddressClass::ClassC));
    bitsSpinner->setMinimumByCode(0);
    bitsSpinner->setValueByCode(0);
    enableReportCommands(false);
}

OctetTexts PlannerWindow::octetTexts() const {
    return {octetEdits[0]->text().toStdString(), octetEdits[1]->text().toStdString(),
            octetEdits[2]->text().toStdString(), octetEdits[3]->text().toStdString()};
}

void PlannerWindow::enableReportCommands(bool enabled) {
    printAction->setEnabled(enabled);
    writeFileAction->setEnabled(enabled);
}

void PlannerWindow::onOctetTextChanged(int index) {
    enableReportCommands(false);
    if (index == 0) {
        const auto addressClass =
            ClassOfFirstOctet(NumericValue(octetEdits[0]->text().toStdString()));
        if (!addressClass) {
            services_.showMessage(DisplayText(FirstOctetRefusalLines()), tr("IP Error!"),
                                  MessageIcon::Critical, MessageButtons::Ok);
            octetEdits[0]->setTextByCode(QStringLiteral("223"));
            applyClass(ClassMaskBits(AddressClass::ClassC), MaxBitsBorrowed(AddressClass::ClassC));
            return;
        }
        applyClass(ClassMaskBits(*addressClass), MaxBitsBorrowed(*addressClass));
    }
    if (index == 3 && octetEdits[3]->text().length() == 3)
        calculateButton->setFocus();
}

// Stores the class before touching the spinner: the spinner's handler refreshes the mask and
// counts from it.
void PlannerWindow::applyClass(std::int16_t classMaskBits, int maxBitsBorrowed) {
    classMaskBits_ = classMaskBits;
    bitsSpinner->setMaximumByCode(maxBitsBorrowed);
    bitsSpinner->setMinimumByCode(0);
    bitsSpinner->setValueByCode(0);
}

void PlannerWindow::onOctetFocused(int index) {
    octetEdits[index]->setSelection(0, static_cast<int>(octetEdits[index]->text().length()));
}

void PlannerWindow::onBitsChanged() {
    // One bit borrowed leaves no usable subnets: a step up from 0 lands on 2, a step down on 0.
    if (bitsSpinner->value() == 1)
        bitsSpinner->setValueByCode(lastBitsValue_ <= 1 ? 2 : 0);
    bitsEdit->setTextByCode(DisplayText(bitsSpinner->value()));
    lastBitsValue_ = bitsSpinner->value();
    updateMaskAndCounts();
    enableReportCommands(false);
}

void PlannerWindow::updateMaskAndCounts() {
    const MaskAndCounts figures =
        ComputeMaskAndCounts(classMaskBits_, static_cast<std::int16_t>(bitsSpinner->value()));
    subnetCountEdit->setTextByCode(DisplayText(figures.subnetCount));
    hostCountEdit->setTextByCode(DisplayText(figures.hostsPerSubnet));
    if (figures.prefixTooLong) {
        services_.showMessage(DisplayText(PrefixTooLongErrorLines()), tr("Tessnivar"),
                              MessageIcon::None, MessageButtons::Ok);
        services_.endProgram();
        return;
    }
    maskEdit->setTextByCode(DisplayText(figures.maskText));
}

void PlannerWindow::onCalculateClicked() {
    const OctetTexts octets = octetTexts();
    const auto made = MakePlan(octets, bitsSpinner->value());
    if (!made.ok()) {
        showError(tr("Subnet Error!"), DisplayText(RefusalLines(made.error(), octets)));
        return;
    }
    results_->setRows(made.value().rows);
    enableReportCommands(true);
}

void PlannerWindow::onPrintTriggered() {
    const ReportFields fields = reportFields();
    const auto figures = reportFigures(fields);
    if (!figures)
        return;
    const auto printer = services_.openDefaultPrinter();
    if (!printer) {
        showError(tr("Print Error"), tr("There is no default printer.\r\nNothing was printed."));
        return;
    }
    const auto progress = services_.showPrintProgress();
    // The busy cursor, not the wait cursor: the progress window's Cancel button can be pressed.
    const auto printed = UnderWaitCursor(
        [&] { return PrintReport(*printer, fields, *figures, results_->rows(), progress.get()); },
        Qt::BusyCursor);
    // A document the user cancelled needs no word: it was abandoned as asked.
    if (!printed.ok() && printed.error() == PrintStop::PrinterFailed)
        showError(tr("Print Error"),
                  tr("The printer failed while printing.\r\nThe document was abandoned."));
}

void PlannerWindow::onWriteFileTriggered() {
    const MessageAnswer answer =
        services_.showMessage(tr("This program has the ability to output files in a comma\r\n"
                                 "separated format which can be read by many spreadsheet\r\n"
                                 "programs.  Would you like to output the file in this format?\r\n"
                                 "Answering NO will result in a plain text file, which can be\r\n"
                                 "read into a word processor."),
                              tr("Choose format"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes)
        writeCsvFile();
    if (answer == MessageAnswer::No)
        writeTextFile();
}

void PlannerWindow::writeTextFile() {
    if (const auto name = askSaveFileName(tr("Plain Text Files (*.txt);;All Files (*.*)")))
        writeReport(*name, ReportForm::Text);
}

void PlannerWindow::writeCsvFile() {
    if (const auto name = askSaveFileName(tr("Comma Separated Values (*.csv)")))
        writeReport(CsvFileName(*name), ReportForm::Csv);
}

// The chosen name, remembered and offered the next time; nullopt when the user cancels.
std::optional<QString> PlannerWindow::askSaveFileName(const QString& nameFilter) {
    auto chosen = services_.askSaveFileName(nameFilter, lastFileName_);
    if (chosen)
        lastFileName_ = *chosen;
    return chosen;
}

ReportFields PlannerWindow::reportFields() const {
    return {octetTexts(), maskEdit->text().toStdString(), bitsEdit->text().toStdString(),
            subnetCountEdit->text().toStdString(), hostCountEdit->text().toStdString()};
}

std::optional<ReportFigures> PlannerWindow::reportFigures(const ReportFields& fields) {
    auto figures = ComputeReportFigures(fields);
    if (!figures)
        showError(tr("Report Error"), tr("The report cannot be made.\r\n"
                                         "The subnet and host counts must be positive numbers."));
    return figures;
}

// The figures are checked before the file is touched, so a refused report changes no file.
void PlannerWindow::writeReport(const QString& fileName, ReportForm form) {
    const ReportFields fields = reportFields();
    const auto figures = reportFigures(fields);
    if (!figures)
        return;
    const Status written = UnderWaitCursor(
        [&] { return WriteReportFile(fileName, form, fields, *figures, results_->rows()); });
    if (!written.ok()) {
        // Quoted, so that a name with a line break cannot pass for a line of the message.
        const QString shownName =
            DisplayText(QuotedName(QDir::toNativeSeparators(fileName).toStdString()));
        showError(tr("Write File Error"),
                  tr("Cannot write %1:\r\n%2").arg(shownName, DisplayText(written.error().reason)));
    }
}

void PlannerWindow::showError(const QString& title, const QString& text) {
    services_.showMessage(text, title, MessageIcon::Critical, MessageButtons::Ok);
}

void PlannerWindow::onAboutTriggered() {
    ShowAbout(services_);
}

void PlannerWindow::onExitTriggered() {
    services_.endProgram();
}

} // namespace tessnivar
