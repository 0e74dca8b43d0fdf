#include "up_down.h"

#include <QLineEdit>

namespace tessnivar {

UpDown::UpDown(QWidget* parent) : QSpinBox(parent) {
    setWrapping(false);
    setSingleStep(1);
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    // Only the arrows and keys change the value; the text is shown beside it by the window.
    lineEdit()->setReadOnly(true);
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (!settingByCode_)
            emit changed();
    });
}

template <typename Change> void UpDown::changeRange(Change change) {
    const int before = value();
    settingByCode_ = true;
    change();
    settingByCode_ = false;
    if (value() != before)
        emit changed();
}

void UpDown::setValueByCode(int newValue) {
    settingByCode_ = true;
    setValue(newValue);
    settingByCode_ = false;
    emit changed();
}

void UpDown::setMaximumByCode(int maximum) {
    changeRange([this, maximum] { setMaximum(maximum); });
}

void UpDown::setMinimumByCode(int minimum) {
    changeRange([this, minimum] { setMinimum(minimum); });
}

} // namespace tessnivar
