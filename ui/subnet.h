#pragma once

#include "common_dialog.h"
#include "network_check.h"
#include "report_content.h"
#include "report_files.h"
#include "subnet_plan.h"

#include <QMainWindow>
#include <array>

class QAction;
class QLabel;
class QPushButton;

namespace tessnivar {

struct ReportMessage;
class ResultRowsModel;
class RowListView;
class Services;
class TextBox;
class UpDown;

// The main window: the address, the bits borrowed, the plan's mask and counts, and the subnets
// of the last calculation in three linked lists.
class Subnet : public QMainWindow {
    Q_OBJECT
public:
    explicit Subnet(Services& services, QWidget* parent = nullptr);
    ~Subnet() override;

    // Sets the start state; runs once, before the window is first shown.
    void Form_Load();
    // Shows the window centred on its screen.
    void showCentered();

    [[nodiscard]] const SubnetPlan& plan() const noexcept { return plan_; }

private:
    void createControls();
    void createMenu();
    void connectHandlers();
    [[nodiscard]] OctetTexts octetTexts() const;
    void applyClass(AddressClass addressClass);
    [[nodiscard]] ReportFields reportFields() const;
    // The report's figures from the count fields; nullopt, after telling the user, when they
    // cannot give a report.
    [[nodiscard]] std::optional<ReportFigures> reportFigures(const ReportFields& fields);
    using ReportWriter = std::optional<ReportFileError> (*)(const QString&, const ReportFields&,
                                                            const ReportFigures&,
                                                            const SubnetRows&);
    void writeReport(const QString& fileName, ReportWriter writer);
    void showReportMessage(const ReportMessage& message);

    void txtIP_Change(int index);
    void txtIP_GotFocus(int index);
    void UpDown1_Change();
    void UpdateMaskAndCounts();
    void cmdCalculate_Click();
    void mnuPrint_Click();
    void mnuWrite_Click();
    void WriteTextFile();
    void WriteCsvFile();
    void mnuAbout_Click();
    void mnuExit_Click();

    Services& services_;
    SubnetPlan plan_;
    ResultRowsModel* results_ = nullptr;

    RowListView* lstSubnet = nullptr;
    RowListView* lstStart = nullptr;
    RowListView* lstEnd = nullptr;
    std::array<TextBox*, 4> txtIP{};
    TextBox* txtSubnet = nullptr;
    TextBox* txtBits = nullptr;
    UpDown* UpDown1 = nullptr;
    TextBox* txtSubnets = nullptr;
    TextBox* txtHosts = nullptr;
    QPushButton* cmdCalculate = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuWrite = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuExit = nullptr;
    CommonDialog cmnDlg;
};

} // namespace tessnivar
