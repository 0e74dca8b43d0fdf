#include "text_box.h"

#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QValidator>

namespace tessnivar {

namespace {

// QLineEdit keeps this many pixels between its contents rectangle and the text on either side.
constexpr int kTextMargin = 2;

// Cuts what arrives in a box at its first line break; the text around it stays as it was.
class SingleLineValidator final : public QValidator {
public:
    SingleLineValidator(const QString& before, QObject* parent)
        : QValidator(parent), before_(before) {}

    State validate(QString& input, int& position) const override {
        static const QRegularExpression kLineBreak(QStringLiteral("[\\r\\n\\x{2028}\\x{2029}]"));
        if (!input.contains(kLineBreak))
            return Acceptable;
        // What arrived lies between the longest beginning and end the text shares with before.
        qsizetype kept = 0;
        while (kept < input.size() && kept < before_.size() && input[kept] == before_[kept])
            ++kept;
        qsizetype tail = 0;
        while (tail < input.size() - kept && tail < before_.size() - kept &&
               input[input.size() - 1 - tail] == before_[before_.size() - 1 - tail])
            ++tail;
        QString arrived = input.mid(kept, input.size() - kept - tail);
        arrived.truncate(arrived.indexOf(kLineBreak));
        input = input.left(kept) + arrived + input.right(tail);
        position = static_cast<int>(kept + arrived.size());
        // Nothing arrived before the break: the box is left as it was, with no change at all.
        return input == before_ ? Invalid : Acceptable;
    }

private:
    const QString& before_;
};

} // namespace

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setValidator(new SingleLineValidator(before_, this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) {
        before_ = text;
        updateToolTip();
    });
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
