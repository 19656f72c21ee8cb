#include "forms/widgets/spin_field.h"

#include <algorithm>

#include <QLineEdit>

namespace trevanor {

SpinField::SpinField(const char* name, int low, int high, int value, QWidget* parent)
    : QSpinBox(parent), low_(low), high_(high) {
    setObjectName(QString::fromLatin1(name));
    setRange(low, high);
    setValue(value);
    setAccelerated(false);
}

void SpinField::setTypedRange(int typedLow, int typedHigh) {
    const int v = value();
    setRange(typedLow, typedHigh);
    setValue(v);
}

void SpinField::setText(const QString& text) {
    lineEdit()->setText(text);
    interpretText();
}

// A step never leaves the arrows' range, and never moves against its
// direction: a typed value above the range is not lowered by the upper arrow.
void SpinField::stepBy(int steps) {
    const int v = value();
    const int next = std::clamp(v + steps * singleStep(), low_, high_);
    if (steps > 0 ? next > v : next < v) setValue(next);
    selectAll();
}

QAbstractSpinBox::StepEnabled SpinField::stepEnabled() const {
    if (isReadOnly() || !isEnabled()) return StepNone;
    StepEnabled e = StepNone;
    if (value() < high_) e |= StepUpEnabled;
    if (value() > low_) e |= StepDownEnabled;
    return e;
}

}  // namespace trevanor
