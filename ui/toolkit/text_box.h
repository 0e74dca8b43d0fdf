#pragma once

#include <QLineEdit>

namespace tessnivar {

// A single-line text box that also reports receiving the focus.
class TextBox : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;

signals:
    void gotFocus();

protected:
    void focusInEvent(QFocusEvent* event) override;
};

} // namespace tessnivar
