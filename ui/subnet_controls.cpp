// Creation of the main window's controls, menu and focus order.
#include "result_rows_model.h"
#include "row_list_view.h"
#include "subnet.h"
#include "subnet_layout.h"
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
Control* Place(Control* control, std::string_view name, const QString& accessibleName) {
    control->setObjectName(QString::fromLatin1(name.data(), name.size()));
    control->setGeometry(PixelRect(PlacementOf(name)));
    control->setAccessibleName(accessibleName);
    return control;
}

QLabel* MakeLabel(QWidget* parent, std::string_view name, const QString& text,
                  Qt::Alignment alignment) {
    auto* label = Place(new QLabel(text, parent), name, text);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

TextBox* MakeReadOnlyBox(QWidget* parent, std::string_view name, const QString& accessibleName) {
    auto* box = Place(new TextBox(parent), name, accessibleName);
    box->setReadOnly(true);
    return box;
}

} // namespace

void Subnet::createControls() {
    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    setCentralWidget(client);

    MakeLabel(client, "Label1", tr("Subnet"), Qt::AlignHCenter);
    MakeLabel(client, "Label2", tr("Start IP"), Qt::AlignHCenter);
    MakeLabel(client, "Label4", tr("End IP"), Qt::AlignHCenter);
    // One selection for the three lists: a row selected in one is selected in all three.
    auto* selection = new QItemSelectionModel(results_, client);
    lstSubnet = Place(new RowListView(results_, ResultRowsModel::SubnetColumn, selection, client),
                      "lstSubnet", tr("Subnet numbers"));
    lstStart = Place(new RowListView(results_, ResultRowsModel::StartColumn, selection, client),
                     "lstStart", tr("Start addresses"));
    lstEnd = Place(new RowListView(results_, ResultRowsModel::EndColumn, selection, client),
                   "lstEnd", tr("End addresses"));

    MakeLabel(client, "Label3", tr("Assigned IP:"), Qt::AlignLeft);
    const std::array<QString, 4> octetNames{tr("First octet"), tr("Second octet"),
                                            tr("Third octet"), tr("Fourth octet")};
    static constexpr std::array<std::string_view, 4> kOctetBoxes{"txtIP0", "txtIP1", "txtIP2",
                                                                 "txtIP3"};
    for (int i = 0; i < 4; ++i)
        txtIP[i] = Place(new TextBox(client), kOctetBoxes[i], octetNames[i]);

    MakeLabel(client, "Label5", tr("Subnet Mask:"), Qt::AlignLeft);
    txtSubnet = MakeReadOnlyBox(client, "txtSubnet", tr("Subnet mask"));
    MakeLabel(client, "Label6", tr("Bits Borrowed:"), Qt::AlignLeft);
    txtBits = MakeReadOnlyBox(client, "txtBits", tr("Number of bits borrowed"));
    UpDown1 = Place(new UpDown(client), "UpDown1", tr("Bits borrowed"));

    MakeLabel(client, "Label7", tr("Subnets:"), Qt::AlignLeft);
    txtSubnets = Place(new TextBox(client), "txtSubnets", tr("Subnets"));
    MakeLabel(client, "Label8", tr("Hosts / Subnet:"), Qt::AlignLeft);
    txtHosts = Place(new TextBox(client), "txtHosts", tr("Hosts per subnet"));

    cmdCalculate = Place(new QPushButton(tr("Calculate"), client), "cmdCalculate", tr("Calculate"));
    // Enter in a text box must not press it.
    cmdCalculate->setAutoDefault(false);
    cmdCalculate->setDefault(false);

    QWidget* focusOrder[] = {lstSubnet,    lstStart,   lstEnd,    txtIP[0], txtIP[1],
                             txtIP[2],     txtIP[3],   txtSubnet, txtBits,  UpDown1,
                             cmdCalculate, txtSubnets, txtHosts};
    for (std::size_t i = 0; i + 1 < std::size(focusOrder); ++i)
        setTabOrder(focusOrder[i], focusOrder[i + 1]);
    lstSubnet->setFocus();
}

void Subnet::createMenu() {
    const auto addCommand = [this](const char* name, const QString& caption) {
        QAction* action = menuBar()->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    mnuPrint = addCommand("mnuPrint", tr("&Print"));
    mnuWrite = addCommand("mnuWrite", tr("&Write File"));
    mnuAbout = addCommand("mnuAbout", tr("&About"));
    mnuExit = addCommand("mnuExit", tr("E&xit"));
}

} // namespace tessnivar
