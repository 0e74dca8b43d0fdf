#include "about_dialog.h"

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

constexpr QSize kClientSize(312, 213);

constexpr QRgb kCyan = qRgb(0, 255, 255);
constexpr QRgb kLightRed = qRgb(255, 128, 128);
constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kYellow = qRgb(255, 255, 0);

enum class ControlKind { Picture, Label, Button };

// One control, placed in pixels from the top-left corner of the client area.
struct ControlRow {
    const char* objectName;
    ControlKind kind;
    const char* text;
    QRect geometry;
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
    {"iconPicture", ControlKind::Picture, "", QRect(24, 16, 32, 32), nullptr, 0, false, false,
     std::nullopt, false},
    {"titleLabel", ControlKind::Label, QT_TRANSLATE_NOOP("AboutDialog", "Tessnivar"),
     QRect(104, 8, 201, 33), "Comic Sans MS", 18, false, false, kLightRed, false},
    {"versionLabel", ControlKind::Label, kVersionText, QRect(160, 48, 81, 41), "Comic Sans MS", 24,
     false, false, kLightRed, false},
    {"creditLabel", ControlKind::Label,
     QT_TRANSLATE_NOOP("AboutDialog",
                       "Created by Brolwick.  For the latest version check the web at"),
     QRect(8, 96, 297, 33), "Comic Sans MS", 9.75, false, false, kBlue, true},
    {"webAddressLabel", ControlKind::Label, "www.example.com/tessnivar", QRect(0, 136, 313, 25),
     "MS Sans Serif", 12, true, true, kYellow, false},
    {"okButton", ControlKind::Button, QT_TRANSLATE_NOOP("AboutDialog", "OK"),
     QRect(112, 168, 81, 33), "Comic Sans MS", 9.75, true, false, std::nullopt, false},
}};

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
    auto* label = new QLabel(AboutDialog::tr(row.text), parent);
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

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(tr("About Tessnivar"));
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
            auto* button = new QPushButton(tr(row.text), this);
            button->setFont(FontOf(row));
            button->setDefault(true);
            // The labels never take the focus, so it rests on OK from the moment the window is
            // activated, keys included.
            button->setFocus();
            // Closing destroys the window.
            connect(button, &QPushButton::clicked, this, &QWidget::close);
            control = button;
            break;
        }
        }
        control->setObjectName(QLatin1String(row.objectName));
        control->setGeometry(row.geometry);
    }

    setFixedSize(kClientSize);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, kClientSize,
                                    screen()->availableGeometry()));
}

void ShowAbout(Services& services) {
    auto* about = new AboutDialog;
    services.runModal(*about);
}

} // namespace tessnivar
