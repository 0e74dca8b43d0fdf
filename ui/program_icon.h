#pragma once

#include <QIcon>
#include <QPixmap>

namespace tessnivar {

// The program icon, black serif I and P on a transparent ground, in its 16 x 16 and 32 x 32
// pictures; both windows carry it.
[[nodiscard]] QIcon ProgramIcon();

// The 32 x 32 picture of the program icon at its own size, as the About window shows it.
[[nodiscard]] QPixmap ProgramIconPicture();

} // namespace tessnivar
