#include "qt_services.h"
#include "subnet.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessnivar"));
    // The window's layout is fixed in pixels and was drawn for an 8-point face.
    QFont font = QApplication::font();
    font.setPointSize(8);
    QApplication::setFont(font);
    tessnivar::QtServices services;
    tessnivar::Subnet window(services);
    window.Form_Load();
    window.showCentered();
    return QApplication::exec();
}
