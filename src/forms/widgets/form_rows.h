#pragma once
// Small pieces the scanner windows are built from: a framed panel, a caption
// with a value (and its unit) in a grid row, a masked number field, the
// Apply and Close row, and a choice list refilled with its choice kept.

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QPushButton>

#include "forms/widgets/named.h"
#include "model/numbers.h"
#include "platform/cp1252.h"

namespace trevanor {

// A panel with a frame around it.
inline QFrame* framed_panel(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

// "caption  value  unit" in row `row` of `grid`; returns the value's label.
inline QLabel* value_row(QGridLayout* grid, int row, const char* caption, const char* name, const char* text,
                         const char* unit = nullptr) {
    QWidget* parent = grid->parentWidget();
    grid->addWidget(new QLabel(QString::fromLatin1(caption), parent), row, 0);
    auto* value = named(new QLabel(QString::fromLatin1(text), parent), name);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(28);
    grid->addWidget(value, row, 1);
    if (unit) grid->addWidget(new QLabel(QString::fromLatin1(unit), parent), row, 2);
    return value;
}

// "Range (nominal)": the two ranges of the scanner type chosen, "?" until one is.
inline QGroupBox* nominal_range_box(QWidget* parent, QLabel*& nonPenetrating, QLabel*& penetrating) {
    auto* range = new QGroupBox(QStringLiteral("Range (nominal)"), parent);
    auto* grid = new QGridLayout(range);
    nonPenetrating = value_row(grid, 0, "Non-penetrating:", "NPSR_LBL", "?", "l.y.");
    penetrating = value_row(grid, 1, "Penetrating:", "PSR_LBL", "?", "l.y.");
    return range;
}

// A list of scanner types by name, with none chosen.
template <class Table>
QComboBox* type_list(const char* name, const Table& types, QWidget* parent) {
    auto* list = named(new QComboBox(parent), name);
    for (const auto& t : types) list->addItem(QString::fromLatin1(t.name));
    list->setCurrentIndex(-1);
    return list;
}

// A field of up to four digits (blanks shown as spaces).
inline QLineEdit* range_field(const char* name, const char* text, QWidget* parent) {
    auto* field = named(new QLineEdit(parent), name);
    field->setInputMask(QStringLiteral("0000; "));
    field->setText(QString::fromLatin1(text));
    field->setFixedWidth(48);
    return field;
}

// The "RANGE:" panel: the two ranges to apply and "&Recalc" beside them.
struct RangePanel {
    QFrame* frame;
    QLineEdit* nonPenetrating;  // NPSR_ME
    QLineEdit* penetrating;     // PSR_ME
    QPushButton* recalc;        // Recalc_bTN
};
inline RangePanel range_panel(QWidget* parent, const char* initial) {
    QFrame* frame = framed_panel(parent);
    auto* grid = new QGridLayout(frame);
    auto* title = new QLabel(QStringLiteral("RANGE:"), frame);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Non-penetrating:"), frame), 1, 0);
    QLineEdit* np = range_field("NPSR_ME", initial, frame);
    grid->addWidget(np, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Penetrating:"), frame), 2, 0);
    QLineEdit* p = range_field("PSR_ME", initial, frame);
    grid->addWidget(p, 2, 1);
    auto* recalc = named(new QPushButton(QStringLiteral("&Recalc"), frame), "Recalc_bTN");
    grid->addWidget(recalc, 1, 2, 2, 1);
    grid->setColumnStretch(0, 1);
    return {frame, np, p, recalc};
}

// The number in a range field, blanks trimmed; the conversion error for any other text.
inline int range_of(const QLineEdit* field) { return to_int(toCp1252(field->text().trimmed())); }

// "&Apply" (the default button) and "&Close" at the right of a row.
struct ApplyCloseRow {
    QHBoxLayout* row;
    QPushButton* apply;
    QPushButton* close;
};
inline ApplyCloseRow apply_close_row(QWidget* parent, const char* applyName, const char* closeName) {
    auto* row = new QHBoxLayout;
    auto* apply = named(new QPushButton(QStringLiteral("&Apply"), parent), applyName);
    apply->setDefault(true);
    auto* close = named(new QPushButton(QStringLiteral("&Close"), parent), closeName);
    row->addStretch();
    row->addWidget(apply);
    row->addWidget(close);
    return {row, apply, close};
}

// Fills a choice-only list with `items`; `chosen` stays chosen when it is
// among them, else nothing is (Qt would choose the first item by itself).
inline void show_choices(QComboBox* box, const QStringList& items, const QString& chosen) {
    box->clear();
    box->addItems(items);
    box->setCurrentIndex(chosen.isEmpty() ? -1 : box->findText(chosen));
}

}  // namespace trevanor
