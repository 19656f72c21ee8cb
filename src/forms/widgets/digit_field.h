#pragma once
// A digit field with its up-down control beside it: the control counts the
// field up and down, and follows a number typed into the field.

#include <QHBoxLayout>
#include <QLineEdit>
#include <QScrollBar>
#include <QSignalBlocker>

namespace trevanor {

// The up-down control: a small vertical scroll bar whose upper arrow counts up.
inline QScrollBar* up_down(const char* name, int min, int max, int position, QWidget* parent) {
    auto* s = new QScrollBar(Qt::Vertical, parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(min, max);
    s->setValue(position);
    s->setInvertedAppearance(true);
    s->setFixedSize(16, 22);
    return s;
}

// The field, laid out in `row` with its up-down control; the two are kept in step.
inline QLineEdit* digit_field(const char* name, const char* mask, const char* text, int width, QScrollBar* upDown,
                              QHBoxLayout* row, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setInputMask(QString::fromLatin1(mask));
    field->setText(QString::fromLatin1(text));
    field->setFixedWidth(width);
    row->addWidget(field);
    row->addWidget(upDown);
    QObject::connect(upDown, &QScrollBar::valueChanged, field, [field](int v) { field->setText(QString::number(v)); });
    QObject::connect(field, &QLineEdit::textChanged, upDown, [field, upDown] {
        bool ok = false;
        const int v = field->text().trimmed().toInt(&ok);
        if (!ok || v < upDown->minimum() || v > upDown->maximum()) return;
        const QSignalBlocker block(upDown);
        upDown->setValue(v);
    });
    return field;
}

}  // namespace trevanor
