#include "interface_font.h"
#include "qt_services.h"
#include "subnet.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessnivar"));
    tessnivar::UseInterfaceFont();
    tessnivar::QtServices services;
    tessnivar::Subnet window(services);
    window.Form_Load();
    window.showCentered();
    return QApplication::exec();
}
