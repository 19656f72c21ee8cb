#include "forms/widgets/name_completer.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

namespace trevanor {

namespace {
// Names offered below a text field at most: more than anyone reads.
constexpr int kOffered = 200;
}  // namespace

void NameSearch::setNames(const QStringList& names) {
    names_ = names;
    folded_.clear();
    folded_.reserve(names.size());
    for (const QString& n : names) folded_ << n.toCaseFolded();
}

int NameSearch::next(const QString& part, int from) const {
    const qsizetype n = folded_.size();
    if (part.isEmpty() || n == 0) return -1;
    const QString p = part.toCaseFolded();
    const qsizetype start = ((from % n) + n) % n;
    for (qsizetype i = 0; i < n; ++i) {
        const qsizetype k = (start + i) % n;
        if (folded_[k].contains(p)) return static_cast<int>(k);
    }
    return -1;
}

QStringList NameSearch::matches(const QString& part, int most) const {
    QStringList out;
    if (part.isEmpty()) return out;
    const QString p = part.toCaseFolded();
    for (qsizetype k = 0; k < folded_.size() && out.size() < most; ++k)
        if (folded_[k].contains(p)) out << names_[k];
    return out;
}

bool natural_less(const QString& a, const QString& b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit()) ++ei;
            while (ej < b.size() && b[ej].isDigit()) ++ej;
            // Leading zeros aside, the longer run is the larger number.
            const QStringView x = QStringView(a).mid(i, ei - i), y = QStringView(b).mid(j, ej - j);
            const auto digits = [](QStringView v) {
                while (v.size() > 1 && v.front() == u'0') v = v.mid(1);
                return v;
            };
            const QStringView dx = digits(x), dy = digits(y);
            if (dx.size() != dy.size()) return dx.size() < dy.size();
            if (const int c = dx.compare(dy); c != 0) return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        const QChar ca = a[i].toCaseFolded(), cb = b[j].toCaseFolded();
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

NameCompleter::NameCompleter(QObject* parent) : QObject(parent) {
    pause_.setSingleShot(true);
    pause_.setInterval(QApplication::keyboardInputInterval());
}

void NameCompleter::attach(QComboBox* list) {
    auto* c = new NameCompleter(list);
    c->list_ = list;
    list->installEventFilter(c);
    list->view()->installEventFilter(c);
    QAbstractItemModel* model = list->model();
    const auto stale = [c] { c->stale_ = true; };
    connect(model, &QAbstractItemModel::rowsInserted, c, stale);
    connect(model, &QAbstractItemModel::rowsRemoved, c, stale);
    connect(model, &QAbstractItemModel::modelReset, c, stale);
    connect(model, &QAbstractItemModel::dataChanged, c, stale);
}

NameCompleter* NameCompleter::attach(QLineEdit* field, const QStringList& names) {
    auto* c = new NameCompleter(field);
    c->field_ = field;
    c->search_.setNames(names);
    c->offered_ = new QStringListModel(c);
    c->completer_ = new QCompleter(c->offered_, c);
    c->completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    c->completer_->setMaxVisibleItems(16);
    c->completer_->setWidget(field);
    connect(field, &QLineEdit::textEdited, c, [c](const QString& text) { c->offer(text); });
    connect(c->completer_, qOverload<const QString&>(&QCompleter::activated), field,
            [field](const QString& name) { field->setText(name); });
    return c;
}

const NameSearch& NameCompleter::listSearch() {
    if (stale_ && list_) {
        QStringList items;
        items.reserve(list_->count());
        for (int i = 0; i < list_->count(); ++i) items << list_->itemText(i);
        search_.setNames(items);
        stale_ = false;
    }
    return search_;
}

bool NameCompleter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !list_) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    // A blank opens a closed list, as ever, unless a search is going on.
    if (text == QStringLiteral(" ") && !pause_.isActive()) return false;
    return typed(text, watched == list_->view() ? list_->view() : nullptr);
}

bool NameCompleter::typed(const QString& text, QAbstractItemView* openView) {
    if (!pause_.isActive()) typed_.clear();
    pause_.start();
    const bool fresh = typed_.isEmpty();
    typed_ += text;
    const int current = openView ? openView->currentIndex().row() : list_->currentIndex();
    // A new search moves on from the item chosen; a longer one may stay on it.
    const int index = listSearch().next(typed_, fresh ? current + 1 : std::max(current, 0));
    if (index < 0) return true;
    if (openView) {
        openView->setCurrentIndex(list_->model()->index(index, list_->modelColumn(), list_->rootModelIndex()));
    } else if (index != list_->currentIndex()) {
        list_->setCurrentIndex(index);
        emit list_->activated(index);
        emit list_->textActivated(list_->itemText(index));
    }
    return true;
}

void NameCompleter::offer(const QString& text) {
    const QStringList found = search_.matches(text, kOffered);
    offered_->setStringList(found);
    if (found.isEmpty()) completer_->popup()->hide();
    else completer_->complete();
}

}  // namespace trevanor
