#include "forms/widgets/find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "forms/widgets/name_completer.h"

namespace trevanor {

namespace {
const char* const kPrompt = "Planet or fleet name";
}  // namespace

FindBar::FindBar(const char* fieldName, QWidget* parent) : QWidget(parent) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 2);
    row->addWidget(new QLabel(QStringLiteral("Find:"), this));
    field_ = new QLineEdit(this);
    field_->setObjectName(QString::fromLatin1(fieldName));
    field_->setPlaceholderText(QString::fromLatin1(kPrompt));
    row->addWidget(field_, 1);
    auto* close = new QToolButton(this);
    close->setText(QStringLiteral("\u00D7"));
    close->setToolTip(QStringLiteral("Close (Esc)"));
    row->addWidget(close);
    completer_ = NameCompleter::attach(field_, {});
    connect(field_, &QLineEdit::returnPressed, this, [this] { find(); });
    connect(field_, &QLineEdit::textEdited, this,
            [this] { field_->setPlaceholderText(QString::fromLatin1(kPrompt)); });
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

void FindBar::open(const QStringList& names) {
    completer_->setNames(names);
    show();
    field_->setFocus();
    field_->selectAll();
}

void FindBar::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(e);
}

// The name typed whole (any case), else the first name holding it.
void FindBar::find() {
    const QString text = field_->text().trimmed();
    if (text.isEmpty()) return;
    const QStringList& names = completer_->search().names();
    QString name;
    for (const QString& n : names)
        if (n.compare(text, Qt::CaseInsensitive) == 0 && (name.isEmpty() || n == text)) name = n;
    if (name.isEmpty()) {
        const QStringList first = completer_->search().matches(text, 1);
        if (!first.isEmpty()) name = first.front();
    }
    if (name.isEmpty() || !found_ || !found_(name)) {
        nothingMatches(text);
        return;
    }
    field_->setText(name);
    field_->selectAll();
}

void FindBar::nothingMatches(const QString& text) {
    field_->clear();
    field_->setPlaceholderText(QStringLiteral("Nothing matches \u201C%1\u201D").arg(text));
}

}  // namespace trevanor
