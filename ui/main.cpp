#include "interface_font.h"
#include "planner_window.h"
#include "qt_services.h"
#include "version.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessnivar"));
    // Lets a desktop match the window with the menu entry of the same name.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(tessnivar::kApplicationId));
    tessnivar::UseInterfaceFont();
    tessnivar::QtServices services;
    tessnivar::PlannerWindow window(services);
    window.showCentered();
    return QApplication::exec();
}
