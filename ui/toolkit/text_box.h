#pragma once

#include <QLineEdit>

namespace tessnivar {

// A single-line text box that also reports receiving the focus. It never holds a line break: text
// that arrives with one (pasted, dropped) is cut at its first, as a native single-line box does.
// Text set by the program shows its beginning, as a native edit box does, so a number too long for
// the box reads as its leading digits; whenever the text does not fit, the tooltip shows it whole.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Replaces the text (textChanged() follows at once) and shows its beginning.
    void setTextByCode(const QString& text);

signals:
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateToolTip();

    // The text before the change being made, against which the validator finds what arrived.
    QString before_;
};

} // namespace tessnivar
