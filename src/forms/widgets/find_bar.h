#pragma once
// A bar with one field for finding a thing by name: it opens over a view
// (Ctrl+F in the map), offers the names that hold what is typed (any part,
// without regard to case), and on Enter hands the chosen name on. A name
// that matches nothing is said so in the field itself. Esc closes the bar.

#include <QWidget>
#include <functional>

class QLineEdit;

namespace trevanor {

class NameCompleter;

class FindBar : public QWidget {
public:
    // Gets the name found; false when it stands for nothing after all.
    using Found = std::function<bool(const QString& name)>;

    FindBar(const char* fieldName, QWidget* parent);
    void onFound(Found found) { found_ = std::move(found); }
    // Shows the bar with the field ready for typing, offering `names`.
    void open(const QStringList& names);
    QLineEdit* field() const { return field_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    void find();
    void nothingMatches(const QString& text);

    QLineEdit* field_;
    NameCompleter* completer_;
    Found found_;
};

}  // namespace trevanor
