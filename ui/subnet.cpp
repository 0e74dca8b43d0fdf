#include "subnet.h"

#include "about_window.h"
#include "mask_and_counts.h"
#include "numeric.h"
#include "print_report.h"
#include "program_icon.h"
#include "report_messages.h"
#include "report_printer.h"
#include "result_rows_model.h"
#include "services.h"
#include "subnet_enumeration.h"
#include "subnet_rows.h"
#include "text_box.h"
#include "up_down.h"
#include "wait_cursor.h"

#include <QAction>
#include <QPushButton>
#include <QScreen>

namespace tessnivar {

namespace {

const QString kApplicationTitle = QStringLiteral("Tessnivar");
const QString kSubnetErrorTitle = QStringLiteral("Subnet Error!");
const QString kChooseFormatText =
    QStringLiteral("This program has the ability to output files in a comma\r\n"
                   "separated format which can be read by many spreadsheet\r\n"
                   "programs.  Would you like to output the file in this format?\r\n"
                   "Answering NO will result in a plain text file, which can be\r\n"
                   "read into a word processor.");

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}
QString Text(std::int64_t number) {
    return Text(DecimalText(number));
}

} // namespace

Subnet::Subnet(Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services), results_(new ResultRowsModel(this)),
      cmnDlg(services) {
    setObjectName(QStringLiteral("Subnet"));
    setWindowTitle(kApplicationTitle);
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
}

Subnet::~Subnet() = default;

void Subnet::showCentered() {
    const QRect screen = this->screen()->availableGeometry();
    show();
    move(screen.center() - frameGeometry().center() + frameGeometry().topLeft());
}

void Subnet::connectHandlers() {
    for (int i = 0; i < 4; ++i) {
        connect(txtIP[i], &QLineEdit::textChanged, this, [this, i] { txtIP_Change(i); });
        connect(txtIP[i], &TextBox::gotFocus, this, [this, i] { txtIP_GotFocus(i); });
    }
    connect(UpDown1, &UpDown::changed, this, &Subnet::UpDown1_Change);
    connect(cmdCalculate, &QPushButton::clicked, this, &Subnet::cmdCalculate_Click);
    connect(mnuPrint, &QAction::triggered, this, &Subnet::mnuPrint_Click);
    connect(mnuWrite, &QAction::triggered, this, &Subnet::mnuWrite_Click);
    connect(mnuAbout, &QAction::triggered, this, &Subnet::mnuAbout_Click);
    connect(mnuExit, &QAction::triggered, this, &Subnet::mnuExit_Click);
}

OctetTexts Subnet::octetTexts() const {
    return {txtIP[0]->text().toStdString(), txtIP[1]->text().toStdString(),
            txtIP[2]->text().toStdString(), txtIP[3]->text().toStdString()};
}

void Subnet::Form_Load() {
    plan_.bitsBorrowed = 0;
    plan_.classMaskBits = ClassMaskBits(AddressClass::ClassC);
    txtBits->setTextByCode(QStringLiteral("0"));
    const MaskAndCounts start = ComputeMaskAndCounts(plan_.classMaskBits, plan_.bitsBorrowed);
    plan_.hostsPerSubnet = start.hostsPerSubnet;
    plan_.subnetCount = start.subnetCount;
    txtSubnet->setTextByCode(Text(start.maskText));
    txtIP[0]->setTextByCode(QStringLiteral("192"));
    txtIP[1]->setTextByCode(QStringLiteral("168"));
    txtIP[2]->setTextByCode(QStringLiteral("0"));
    txtIP[3]->setTextByCode(QStringLiteral("0"));
    txtSubnets->setTextByCode(Text(plan_.subnetCount));
    txtHosts->setTextByCode(Text(plan_.hostsPerSubnet));
    UpDown1->setMaximumByCode(MaxBitsBorrowed(AddressClass::ClassC));
    UpDown1->setMinimumByCode(0);
    UpDown1->setValueByCode(0);
    mnuPrint->setEnabled(false);
    mnuWrite->setEnabled(false);
}

void Subnet::txtIP_Change(int index) {
    mnuPrint->setEnabled(false);
    mnuWrite->setEnabled(false);
    if (index == 0) {
        const auto addressClass = ClassOfFirstOctet(NumericValue(txtIP[0]->text().toStdString()));
        if (!addressClass) {
            services_.showMessage(QString::fromLatin1(FirstOctetRefusalText()),
                                  QStringLiteral("IP Error!"), MessageIcon::Critical,
                                  MessageButtons::Ok);
            txtIP[0]->setTextByCode(QStringLiteral("223"));
            applyClass(AddressClass::ClassC);
            return;
        }
        applyClass(*addressClass);
    }
    if (index == 3 && txtIP[3]->text().length() == 3)
        cmdCalculate->setFocus();
}

// Stores the class before touching the spinner: the spinner's handler refreshes the mask and
// counts from it.
void Subnet::applyClass(AddressClass addressClass) {
    plan_.classMaskBits = ClassMaskBits(addressClass);
    plan_.bitsBorrowed = 0;
    UpDown1->setMaximumByCode(MaxBitsBorrowed(addressClass));
    UpDown1->setMinimumByCode(0);
    UpDown1->setValueByCode(0);
}

void Subnet::txtIP_GotFocus(int index) {
    txtIP[index]->setSelection(0, txtIP[index]->text().length());
}

void Subnet::UpDown1_Change() {
    // One bit borrowed leaves no usable subnets: a step up from 0 lands on 2, a step down on 0.
    if (UpDown1->value() == 1)
        UpDown1->setValueByCode(plan_.lastSpinnerValue <= 1 ? 2 : 0);
    txtBits->setTextByCode(Text(UpDown1->value()));
    plan_.bitsBorrowed = static_cast<std::int16_t>(UpDown1->value());
    plan_.lastSpinnerValue = plan_.bitsBorrowed;
    UpdateMaskAndCounts();
    mnuPrint->setEnabled(false);
    mnuWrite->setEnabled(false);
}

void Subnet::UpdateMaskAndCounts() {
    const MaskAndCounts figures = ComputeMaskAndCounts(plan_.classMaskBits, plan_.bitsBorrowed);
    plan_.subnetCount = figures.subnetCount;
    plan_.hostsPerSubnet = figures.hostsPerSubnet;
    txtSubnets->setTextByCode(Text(plan_.subnetCount));
    txtHosts->setTextByCode(Text(plan_.hostsPerSubnet));
    if (figures.prefixTooLong) {
        services_.showMessage(Text(PrefixTooLongErrorText()), kApplicationTitle, MessageIcon::None,
                              MessageButtons::Ok);
        services_.endProgram();
        return;
    }
    txtSubnet->setTextByCode(Text(figures.maskText));
}

void Subnet::cmdCalculate_Click() {
    const OctetTexts octets = octetTexts();
    if (const auto brokenClass = CheckNetworkAddress(octets)) {
        services_.showMessage(Text(NetworkErrorText(*brokenClass, octets)), kSubnetErrorTitle,
                              MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    const AddressLoad load = LoadWorkingAddress(octets);
    if (!load.ok()) {
        services_.showMessage(Text(OctetRangeErrorText(octets[load.badOctet])), kSubnetErrorTitle,
                              MessageIcon::Critical, MessageButtons::Ok);
        return;
    }
    results_->setRows(SubnetRows(load.address, plan_.hostsPerSubnet, plan_.subnetCount));
    mnuPrint->setEnabled(true);
    mnuWrite->setEnabled(true);
}

void Subnet::mnuPrint_Click() {
    const ReportFields fields = reportFields();
    const auto figures = reportFigures(fields);
    if (!figures)
        return;
    const auto printer = services_.openDefaultPrinter();
    if (!printer) {
        showReportMessage(NoPrinterMessage());
        return;
    }
    const auto progress = services_.showPrintProgress();
    // The busy cursor, not the wait cursor: the progress window's Cancel button can be pressed.
    const PrintResult printed = UnderWaitCursor(
        [&] { return PrintReport(*printer, fields, *figures, results_->rows(), progress.get()); },
        Qt::BusyCursor);
    // A document the user cancelled needs no word: it was abandoned as asked.
    if (printed == PrintResult::PrinterFailed)
        showReportMessage(PrinterFailureMessage());
}

void Subnet::mnuWrite_Click() {
    const MessageAnswer answer = services_.showMessage(
        kChooseFormatText, tr("Choose format"), MessageIcon::Question, MessageButtons::YesNo);
    if (answer == MessageAnswer::Yes)
        WriteCsvFile();
    if (answer == MessageAnswer::No)
        WriteTextFile();
}

void Subnet::WriteTextFile() {
    cmnDlg.setFilter(QStringLiteral("Plain Text Files (*.txt)|*.txt|All Files (*.*)|*.*"));
    cmnDlg.setCancelError(true);
    if (!cmnDlg.showSave())
        return;
    writeReport(cmnDlg.fileName(), WriteTextReport);
}

void Subnet::WriteCsvFile() {
    cmnDlg.setFilter(QStringLiteral("Comma Separated Values (*.csv) | *.csv"));
    cmnDlg.setCancelError(true);
    if (!cmnDlg.showSave())
        return;
    writeReport(CsvFileName(cmnDlg.fileName()), WriteCsvReport);
}

ReportFields Subnet::reportFields() const {
    return {octetTexts(), txtSubnet->text().toStdString(), txtBits->text().toStdString(),
            txtSubnets->text().toStdString(), txtHosts->text().toStdString()};
}

std::optional<ReportFigures> Subnet::reportFigures(const ReportFields& fields) {
    auto figures = ComputeReportFigures(fields);
    if (!figures)
        showReportMessage(CountsRefusalMessage());
    return figures;
}

// The figures are checked before the file is touched, so a refused report changes no file.
void Subnet::writeReport(const QString& fileName, ReportWriter writer) {
    const ReportFields fields = reportFields();
    const auto figures = reportFigures(fields);
    if (!figures)
        return;
    const auto error =
        UnderWaitCursor([&] { return writer(fileName, fields, *figures, results_->rows()); });
    if (error)
        showReportMessage(FileWriteFailureMessage(*error));
}

void Subnet::showReportMessage(const ReportMessage& message) {
    services_.showMessage(message.text, message.title, MessageIcon::Critical, MessageButtons::Ok);
}

void Subnet::mnuAbout_Click() {
    ShowAbout(services_);
}

void Subnet::mnuExit_Click() {
    services_.endProgram();
}

} // namespace tessnivar
