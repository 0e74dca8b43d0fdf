#pragma once

#include <QSpinBox>

namespace tessnivar {

// A compact vertical arrow pair holding a whole number. Its changed() signal comes on every user
// step that changes the value and every time code sets the value, also to the value it already
// holds; a range change that moves the value signals it too; Enter on an unchanged value does
// not. The arrows and the Up/Down keys step by 1 without wrapping. It takes no text, typed or
// from an input method: the value is shown beside it by the window.
class UpDown : public QSpinBox {
    Q_OBJECT
public:
    explicit UpDown(QWidget* parent = nullptr);

    void setValueByCode(int value);
    void setMaximumByCode(int maximum);
    void setMinimumByCode(int minimum);

signals:
    void changed();

protected:
    void inputMethodEvent(QInputMethodEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Applies change to the spin box and raises changed() once if the value moved.
    template <typename Change> void changeRange(Change change);
    // Raises changed() for the value now held.
    void report();

    bool settingByCode_ = false;
    // The value changed() last reported.
    int reported_ = 0;
};

} // namespace tessnivar
