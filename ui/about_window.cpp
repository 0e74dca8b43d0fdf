#include "about_window.h"

#include "program_icon.h"
#include "services.h"
#include "version.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <array>
#include <optional>

namespace tessnivar {

namespace {

// The layout is kept in twips from the top-left corner of the client area; 15 twips make one
// pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidthTwips = 4680;
constexpr int kClientHeightTwips = 3195;

constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kLightRed = qRgb(255, 128, 128);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);

enum class ControlKind { Picture, Label, Button };

struct ControlRow {
    const char* name;
    ControlKind kind;
    const char* text;
    int left;
    int top;
    int width;
    int height;
    const char* face; // nullptr: the picture has no text
    qreal points;
    bool bold;
    bool italic;
    std::optional<QRgb> textColour; // nullopt: the toolkit's default
    bool wraps;                     // breaks at word boundaries within its width
};

// Rows after the picture are in tab order, so creating them in turn builds the focus chain.
// Faces that are not installed fall back to Qt's nearest match with the same size and styles.
constexpr std::array<ControlRow, 6> kControls{{
    {"Image1", ControlKind::Picture, "", 360, 240, 480, 480, nullptr, 0, false, false, std::nullopt,
     false},
    {"Label1", ControlKind::Label, "Tessnivar", 1560, 120, 3015, 495, "Comic Sans MS", 18, false,
     false, kLightRed, false},
    {"Label2", ControlKind::Label, kVersionText, 2400, 720, 1215, 615, "Comic Sans MS", 24, false,
     false, kLightRed, false},
    {"Label3", ControlKind::Label, "Created by Brolwick.  For the latest version check the web at",
     120, 1440, 4455, 495, "Comic Sans MS", 9.75, false, false, kBlue, true},
    {"Label4", ControlKind::Label, "www.example.com/tessnivar", 0, 2040, 4695, 375, "MS Sans Serif",
     12, true, true, kYellow, false},
    {"cmdOK", ControlKind::Button, "OK", 1680, 2520, 1215, 495, "Comic Sans MS", 9.75, true, false,
     std::nullopt, false},
}};

QRect ToPixels(const ControlRow& row) {
    return {row.left / kTwipsPerPixel, row.top / kTwipsPerPixel, row.width / kTwipsPerPixel,
            row.height / kTwipsPerPixel};
}

QFont FontOf(const ControlRow& row) {
    QFont font(QString::fromLatin1(row.face));
    font.setPointSizeF(row.points);
    font.setBold(row.bold);
    font.setItalic(row.italic);
    return font;
}

QLabel* MakePicture(QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setPixmap(ProgramIconPicture());
    picture->setFrameShape(QFrame::NoFrame);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setFocusPolicy(Qt::NoFocus);
    return picture;
}

QLabel* MakeLabel(const ControlRow& row, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(row.text), parent);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(row.wraps);
    label->setFocusPolicy(Qt::NoFocus);
    label->setFont(FontOf(row));
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(kCyan));
    palette.setColor(QPalette::WindowText, QColor(*row.textColour));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About Tessnivar"));
    setWindowIcon(ProgramIcon());
    setWindowModality(Qt::ApplicationModal);
    setAttribute(Qt::WA_DeleteOnClose);

    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(kCyan));
    setPalette(background);
    setAutoFillBackground(true);

    for (const ControlRow& row : kControls) {
        QWidget* control = nullptr;
        switch (row.kind) {
        case ControlKind::Picture:
            control = MakePicture(this);
            break;
        case ControlKind::Label:
            control = MakeLabel(row, this);
            break;
        case ControlKind::Button: {
            auto* button = new QPushButton(QString::fromUtf8(row.text), this);
            button->setFont(FontOf(row));
            button->setDefault(true);
            // The labels never take the focus, so it rests on OK from the moment the window is
            // activated, keys included.
            button->setFocus();
            connect(button, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
            control = button;
            break;
        }
        }
        control->setObjectName(QString::fromLatin1(row.name));
        control->setGeometry(ToPixels(row));
    }

    const QSize client(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
    setFixedSize(client);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client,
                                    screen()->availableGeometry()));
}

void frmAbout::cmdOK_Click() {
    // Closing unloads the window: it deletes itself.
    close();
}

void ShowAbout(Services& services) {
    auto* about = new frmAbout;
    services.runModal(*about);
}

} // namespace tessnivar
