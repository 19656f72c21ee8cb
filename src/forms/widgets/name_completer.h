#pragma once
// Finding a name in a long list by any part of it, without regard to case:
// the one way every list of fleets or places, and the map's Find field, look
// names up as the user types.
//
// On a drop-down list, typing (closed or open) chooses the next item that
// holds what was typed so far; a pause starts a new search. The list's order
// and what choosing an item does stay as they are: a closed list reports the
// choice as a choice of the user, as Qt's own typing in a list does.
//
// On a text field, the names holding the text are offered below it as it is
// typed, in the names' order.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTimer>

class QAbstractItemView;
class QComboBox;
class QCompleter;
class QLineEdit;
class QStringListModel;

namespace trevanor {

// The names and their case-folded copies, searched by any part.
class NameSearch {
public:
    void setNames(const QStringList& names);
    const QStringList& names() const { return names_; }
    // The first name at or after `from` (round the end to the start) that
    // holds `part`; -1 when none does.
    int next(const QString& part, int from) const;
    // Up to `most` names that hold `part`, in their order.
    QStringList matches(const QString& part, int most) const;

private:
    QStringList names_, folded_;
};

// The order a reader expects of names: without regard to case, and runs of
// digits by their value ("#28" before "#274").
bool natural_less(const QString& a, const QString& b);

class NameCompleter : public QObject {
public:
    // Type-to-find in `list`, for as long as the list lives.
    static void attach(QComboBox* list);
    // Completion of `field` from `names`; the completer belongs to the field.
    static NameCompleter* attach(QLineEdit* field, const QStringList& names);

    // The names offered (a text field's).
    void setNames(const QStringList& names) { search_.setNames(names); }
    const NameSearch& search() const { return search_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit NameCompleter(QObject* parent);
    // The list's items, read again when they changed.
    const NameSearch& listSearch();
    // A typed character in the list: true when it was used.
    bool typed(const QString& text, QAbstractItemView* openView);
    void offer(const QString& text);

    QPointer<QComboBox> list_;
    QPointer<QLineEdit> field_;
    QCompleter* completer_ = nullptr;
    QStringListModel* offered_ = nullptr;
    NameSearch search_;
    bool stale_ = true;
    QString typed_;
    QTimer pause_;
};

}  // namespace trevanor
