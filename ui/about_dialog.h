#pragma once

#include <QDialog>

namespace tessnivar {

class Services;

// The About window: the program's name, version and author and the web address of its latest
// version, on cyan. It is application modal and deletes itself when it closes (OK, Enter, Esc or
// the close box), so it is created with new and each About command builds a fresh one.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    // Builds the window with its fixed layout, centred on its screen, not yet shown.
    explicit AboutDialog(QWidget* parent = nullptr);
};

// Creates a fresh About window and runs it modally through services; the window is destroyed as
// soon as it closes.
void ShowAbout(Services& services);

} // namespace tessnivar
