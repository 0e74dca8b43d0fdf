#include "up_down.h"

#include <QInputMethodEvent>
#include <QLineEdit>

namespace tessnivar {

UpDown::UpDown(QWidget* parent) : QSpinBox(parent) {
    setWrapping(false);
    setSingleStep(1);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // Only the arrows and keys change the value. Text committed into the edit would leave the
    // spin box holding text it has not read yet, and the next step would go from that.
    lineEdit()->setReadOnly(true);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    lineEdit()->setAttribute(Qt::WA_InputMethodEnabled, false);
    lineEdit()->installEventFilter(this);
    connect(this, &QSpinBox::valueChanged, this, [this](int value) {
        // Enter reports the value again even when it did not change; that is no change.
        if (settingByCode_ || value == reported_)
            return;
        reported_ = value;
        emit changed();
    });
}

void UpDown::inputMethodEvent(QInputMethodEvent* event) {
    event->ignore();
}

bool UpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::InputMethod)
        return true;
    return QSpinBox::eventFilter(watched, event);
}

void UpDown::report() {
    reported_ = value();
    emit changed();
}

template <typename Change> void UpDown::changeRange(Change change) {
    const int before = value();
    settingByCode_ = true;
    change();
    settingByCode_ = false;
    if (value() != before)
        report();
}

void UpDown::setValueByCode(int newValue) {
    settingByCode_ = true;
    setValue(newValue);
    settingByCode_ = false;
    report();
}

void UpDown::setMaximumByCode(int maximum) {
    changeRange([this, maximum] { setMaximum(maximum); });
}

void UpDown::setMinimumByCode(int minimum) {
    changeRange([this, minimum] { setMinimum(minimum); });
}

} // namespace tessnivar
