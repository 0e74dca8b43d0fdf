#include "text_box.h"

namespace tessnivar {

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit gotFocus();
}

} // namespace tessnivar
