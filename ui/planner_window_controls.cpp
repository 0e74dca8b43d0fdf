// The main window's controls, menu and focus order. Every control stands where the window was
// designed to have it, in pixels from the top-left corner of the client area.
#include "display_text.h"
#include "planner_window.h"
#include "result_rows_model.h"
#include "row_list_view.h"
#include "text_box.h"
#include "up_down.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

namespace tessnivar {

namespace {

template <typename Control>
Control* Place(Control* control, const char* objectName, const QRect& geometry,
               const QString& accessibleName) {
    control->setObjectName(QLatin1String(objectName));
    control->setGeometry(geometry);
    control->setAccessibleName(accessibleName);
    return control;
}

// A caption that names control for screen readers and sends its mnemonic there.
QLabel* MakeLabel(QWidget* parent, const char* objectName, const QRect& geometry,
                  const QString& text, Qt::Alignment alignment, QWidget* control) {
    auto* label = Place(new QLabel(text, parent), objectName, geometry, text);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    label->setBuddy(control);
    return label;
}

TextBox* MakeReadOnlyBox(QWidget* parent, const char* objectName, const QRect& geometry,
                         const QString& accessibleName) {
    auto* box = Place(new TextBox(parent), objectName, geometry, accessibleName);
    box->setReadOnly(true);
    return box;
}

} // namespace

void PlannerWindow::createControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(312, 347);
    setCentralWidget(client);

    // One selection for the three lists: a row selected in one is selected in all three.
    auto* selection = new QItemSelectionModel(results_, client);
    subnetList = Place(new RowListView(results_, ResultRowsModel::SubnetColumn, selection, client),
                       "subnetList", QRect(8, 24, 65, 147), tr("Subnet numbers"));
    startList = Place(new RowListView(results_, ResultRowsModel::StartColumn, selection, client),
                      "startList", QRect(80, 24, 113, 147), tr("Start addresses"));
    endList = Place(new RowListView(results_, ResultRowsModel::EndColumn, selection, client),
                    "endList", QRect(200, 24, 105, 147), tr("End addresses"));
    MakeLabel(client, "subnetListLabel", QRect(8, 8, 65, 17), tr("Subnet"), Qt::AlignHCenter,
              subnetList);
    MakeLabel(client, "startListLabel", QRect(80, 8, 113, 17), tr("Start IP"), Qt::AlignHCenter,
              startList);
    MakeLabel(client, "endListLabel", QRect(200, 8, 105, 17), tr("End IP"), Qt::AlignHCenter,
              endList);

    const std::array<QString, 4> octetNames{tr("First octet"), tr("Second octet"),
                                            tr("Third octet"), tr("Fourth octet")};
    static constexpr std::array<const char*, 4> kOctetEdits{"octetEdit0", "octetEdit1",
                                                            "octetEdit2", "octetEdit3"};
    for (int i = 0; i < 4; ++i)
        octetEdits[i] = Place(new TextBox(client), kOctetEdits[i], QRect(80 + 40 * i, 184, 25, 19),
                              octetNames[i]);
    MakeLabel(client, "addressLabel", QRect(8, 184, 65, 17), tr("Assigned IP:"), Qt::AlignLeft,
              octetEdits[0]);

    maskEdit = MakeReadOnlyBox(client, "maskEdit", QRect(80, 216, 145, 19), tr("Subnet mask"));
    MakeLabel(client, "maskLabel", QRect(8, 216, 73, 17), tr("Subnet Mask:"), Qt::AlignLeft,
              maskEdit);
    bitsEdit =
        MakeReadOnlyBox(client, "bitsEdit", QRect(80, 248, 33, 19), tr("Number of bits borrowed"));
    bitsSpinner =
        Place(new UpDown(client), "bitsSpinner", QRect(120, 248, 16, 25), tr("Bits borrowed"));
    MakeLabel(client, "bitsLabel", QRect(8, 248, 73, 17), tr("Bits Borrowed:"), Qt::AlignLeft,
              bitsSpinner);

    subnetCountEdit =
        Place(new TextBox(client), "subnetCountEdit", QRect(56, 280, 41, 19), tr("Subnets"));
    MakeLabel(client, "subnetCountLabel", QRect(8, 280, 41, 17), tr("Subnets:"), Qt::AlignLeft,
              subnetCountEdit);
    hostCountEdit = Place(new TextBox(client), "hostCountEdit", QRect(192, 280, 49, 19),
                          tr("Hosts per subnet"));
    MakeLabel(client, "hostCountLabel", QRect(112, 280, 81, 17), tr("Hosts / Subnet:"),
              Qt::AlignLeft, hostCountEdit);

    calculateButton = Place(new QPushButton(tr("Calculate"), client), "calculateButton",
                            QRect(112, 312, 81, 33), tr("Calculate"));
    // Enter in a text box must not press it.
    calculateButton->setAutoDefault(false);
    calculateButton->setDefault(false);

    QWidget* focusOrder[] = {subnetList,    startList,     endList,         octetEdits[0],
                             octetEdits[1], octetEdits[2], octetEdits[3],   maskEdit,
                             bitsEdit,      bitsSpinner,   calculateButton, subnetCountEdit,
                             hostCountEdit};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i)
        setTabOrder(focusOrder[i], focusOrder[i + 1]);
    subnetList->setFocus();
}

void PlannerWindow::createMenu() {
    const auto addCommand = [this](const char* objectName, const QString& caption) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(QLatin1String(objectName));
        return action;
    };
    printAction = addCommand("printAction", tr("&Print"));
    writeFileAction = addCommand("writeFileAction", tr("&Write File"));
    aboutAction = addCommand("aboutAction", tr("&About"));
    exitAction = addCommand("exitAction", tr("E&xit"));
}

} // namespace tessnivar
