#include "interface_font.h"

#include <QApplication>

namespace tessnivar {

namespace {

// Liberation Sans Narrow (fonts-liberation) at 8 points fits every text of the layout with room
// to spare; the fallbacks, in order, are the nearest in width that a Debian desktop may have.
const QStringList kInterfaceFaces{QStringLiteral("Liberation Sans Narrow"),
                                  QStringLiteral("Nimbus Sans Narrow"),
                                  QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
constexpr qreal kInterfacePoints = 8;

} // namespace

QFont InterfaceFont() {
    QFont font;
    font.setFamilies(kInterfaceFaces);
    font.setPointSizeF(kInterfacePoints);
    return font;
}

void UseInterfaceFont() {
    QApplication::setFont(InterfaceFont());
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"), kInterfaceFaces);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

} // namespace tessnivar
