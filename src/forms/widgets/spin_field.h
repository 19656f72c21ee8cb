#pragma once
// A number field with its up-down arrows in one control. The upper arrow,
// the Up key and the wheel turned away raise the value, the lower arrow, Down
// and the wheel turned back lower it, always within the arrows' range. Typing
// takes what the field's digits allow, which may reach beyond the arrows
// (the window then cuts the value to what it accepts); anything else is
// refused keystroke by keystroke, as a mask refuses a letter.

#include <QSpinBox>

namespace trevanor {

class SpinField : public QSpinBox {
public:
    // Arrows step between `low` and `high`; typing takes `low` to `high` too.
    SpinField(const char* name, int low, int high, int value, QWidget* parent);

    // Typing may also give `typedLow` to `typedHigh` (a wider range).
    void setTypedRange(int typedLow, int typedHigh);
    // The digits as typed (blank while the field is being cleared).
    QString text() const { return cleanText(); }
    // Puts `text` into the field as if it were typed.
    void setText(const QString& text);

protected:
    void stepBy(int steps) override;
    StepEnabled stepEnabled() const override;

private:
    int low_, high_;
};

}  // namespace trevanor
