#pragma once

#include <QString>

namespace tessnivar {

class Services;

// "Description|pattern|Description|pattern" filter text in Qt's name-filter form
// ("Description (pattern);;..."), blanks around descriptions and patterns dropped.
[[nodiscard]] QString QtNameFilter(const QString& filterText);

// The window's Save As dialog. It remembers the last name chosen in it and offers it again.
class CommonDialog {
public:
    explicit CommonDialog(Services& services) : services_(services) {}

    void setFilter(const QString& filterText) { filter_ = filterText; }
    void setCancelError(bool on) { cancelError_ = on; }

    // Shows the dialog. Returns false when the user cancels and cancel-reports-error is on.
    [[nodiscard]] bool showSave();
    [[nodiscard]] const QString& fileName() const noexcept { return fileName_; }

private:
    Services& services_;
    QString filter_;
    bool cancelError_ = false;
    QString fileName_;
};

} // namespace tessnivar
