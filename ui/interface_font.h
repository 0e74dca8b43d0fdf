#pragma once

#include <QFont>

namespace tessnivar {

// The face the program draws its controls in, chosen by the program rather than by the desktop:
// both windows are laid out in fixed pixels for an 8-point face about as wide as Arial, and every
// fixed text and every list entry of a plan must fit that layout.
[[nodiscard]] QFont InterfaceFont();

// Makes InterfaceFont() the application's default font, and maps the faces the About window
// names, which Debian does not have, to installed look-alikes. Runs once at start-up, before any
// window is created.
void UseInterfaceFont();

} // namespace tessnivar
