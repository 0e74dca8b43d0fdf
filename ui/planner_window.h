#pragma once

#include "network_check.h"
#include "report_content.h"
#include "report_files.h"

#include <QMainWindow>
#include <array>
#include <cstdint>

class QAction;
class QPushButton;

namespace tessnivar {

class ResultRowsModel;
class RowListView;
class Services;
class TextBox;
class UpDown;

// The main window: the address, the bits borrowed, the plan's mask and counts, and the subnets
// of the last calculation in three linked lists. It is built in its start state.
class PlannerWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit PlannerWindow(Services& services, QWidget* parent = nullptr);
    ~PlannerWindow() override;

    // Shows the window centred on its screen.
    void showCentered();

private:
    void createControls();
    void createMenu();
    void connectHandlers();
    void showStartState();

    void onOctetTextChanged(int index);
    void onOctetFocused(int index);
    void onBitsChanged();
    void onCalculateClicked();
    void onPrintTriggered();
    void onWriteFileTriggered();
    void onAboutTriggered();
    void onExitTriggered();

    void applyClass(std::int16_t classMaskBits, int maxBitsBorrowed);
    void updateMaskAndCounts();
    void enableReportCommands(bool enabled);
    void writeTextFile();
    void writeCsvFile();
    [[nodiscard]] std::optional<QString> askSaveFileName(const QString& nameFilter);
    [[nodiscard]] OctetTexts octetTexts() const;
    [[nodiscard]] ReportFields reportFields() const;
    // The report's figures from the count boxes; nullopt, after telling the user, when they
    // cannot give a report.
    [[nodiscard]] std::optional<ReportFigures> reportFigures(const ReportFields& fields);
    void writeReport(const QString& fileName, ReportForm form);
    void showError(const QString& title, const QString& text);

    Services& services_;
    ResultRowsModel* results_ = nullptr;
    // Prefix length of the class of the first octet; the spinner's handler reads it.
    std::int16_t classMaskBits_ = 24;
    // The spinner value its handler accepted last: tells a step up from 0 from a step down
    // from 2.
    int lastBitsValue_ = 0;
    // The name last chosen in Save As, offered again.
    QString lastFileName_;

    RowListView* subnetList = nullptr;
    RowListView* startList = nullptr;
    RowListView* endList = nullptr;
    std::array<TextBox*, 4> octetEdits{};
    TextBox* maskEdit = nullptr;
    TextBox* bitsEdit = nullptr;
    UpDown* bitsSpinner = nullptr;
    TextBox* subnetCountEdit = nullptr;
    TextBox* hostCountEdit = nullptr;
    QPushButton* calculateButton = nullptr;
    QAction* printAction = nullptr;
    QAction* writeFileAction = nullptr;
    QAction* aboutAction = nullptr;
    QAction* exitAction = nullptr;
};

} // namespace tessnivar
