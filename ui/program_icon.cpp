#include "program_icon.h"

namespace tessnivar {

namespace {

// Built in through the resource system, so the program needs no icon files at run time.
const QString kIcon16 = QStringLiteral(":/icons/tessnivar-16.xpm");
const QString kIcon32 = QStringLiteral(":/icons/tessnivar-32.xpm");

} // namespace

QIcon ProgramIcon() {
    QIcon icon;
    icon.addFile(kIcon16, QSize(16, 16));
    icon.addFile(kIcon32, QSize(32, 32));
    return icon;
}

QPixmap ProgramIconPicture() {
    return QPixmap(kIcon32);
}

} // namespace tessnivar
