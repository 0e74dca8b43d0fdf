#include "text_box.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace tessnivar {

namespace {

// QLineEdit keeps this many pixels between its contents rectangle and the text on either side.
constexpr int kTextMargin = 2;

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    connect(this, &QLineEdit::textChanged, this, &TextBox::updateToolTip);
}

void TextBox::setTextByCode(const QString& text) {
    setText(text);
    setCursorPosition(0);
}

void TextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    emit gotFocus();
}

void TextBox::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    updateToolTip();
}

void TextBox::updateToolTip() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    const int room = contents.width() - margins.left() - margins.right() - 2 * kTextMargin;
    setToolTip(fontMetrics().horizontalAdvance(text()) > room ? text() : QString());
}

} // namespace tessnivar
