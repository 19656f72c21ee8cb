#include "forms/text_table_view.h"

#include <QHeaderView>
#include <QScrollBar>

#include "platform/cp1252.h"

namespace trevanor {

TextTableModel::TextTableModel(const TextTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int TextTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : table_.rowCount() - 1;
}

int TextTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : table_.columnCount(); }

QVariant TextTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    return fromCp1252(table_.cell(index.column(), index.row() + 1));
}

QVariant TextTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return fromCp1252(table_.cell(section, 0));
    return section + 1;
}

void TextTableModel::refresh() {
    beginResetModel();
    endResetModel();
}

namespace {
void style_grid(QTableView* view, const std::vector<int>& widths) {
    // The small grid font the column widths are made for; text that does not
    // fit is cut, not elided, so that numbers keep their leading digits.
    QFont font(QStringLiteral("Tahoma"), 8);
    view->setFont(font);
    view->horizontalHeader()->setFont(font);
    view->setTextElideMode(Qt::ElideNone);
    view->setStyleSheet(QStringLiteral("QTableView::item { padding: 0px 1px; }"));
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(true);
    view->setWordWrap(false);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setMinimumSectionSize(15);
    view->verticalHeader()->setDefaultSectionSize(15);
    view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    view->horizontalHeader()->setMinimumSectionSize(8);
    view->horizontalHeader()->setHighlightSections(false);
    for (std::size_t c = 0; c < widths.size(); ++c) view->setColumnWidth(static_cast<int>(c), widths[c]);
}
}  // namespace

TextGrid::TextGrid(const TextTable& table, const std::vector<int>& widths, bool fixedFirstColumn, QWidget* parent)
    : QTableView(parent), model_(new TextTableModel(table, this)) {
    setModel(model_);
    style_grid(this, widths);
    if (!fixedFirstColumn) return;

    // A second grid over the first column, sharing model and selection.
    fixed_ = new QTableView(this);
    fixed_->setObjectName(QStringLiteral("fixedColumn"));
    fixed_->setModel(model_);
    fixed_->setSelectionModel(selectionModel());
    style_grid(fixed_, widths);
    fixed_->setFocusPolicy(Qt::NoFocus);
    fixed_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    fixed_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fixed_->setStyleSheet(
        QStringLiteral("QTableView { background-color: palette(button); } QTableView::item { padding: 0px 1px; }"));
    for (int c = 1; c < model_->columnCount(); ++c) fixed_->setColumnHidden(c, true);
    viewport()->stackUnder(fixed_);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int index, int, int size) {
        if (index == 0) {
            fixed_->setColumnWidth(0, size);
            placeFixedColumn();
        }
    });
    connect(fixed_->verticalScrollBar(), &QAbstractSlider::valueChanged, verticalScrollBar(), &QAbstractSlider::setValue);
    connect(verticalScrollBar(), &QAbstractSlider::valueChanged, fixed_->verticalScrollBar(), &QAbstractSlider::setValue);
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        for (int c = 1; c < model_->columnCount(); ++c) fixed_->setColumnHidden(c, true);
    });
    placeFixedColumn();
    fixed_->show();
}

void TextGrid::placeFixedColumn() {
    if (!fixed_) return;
    fixed_->setGeometry(verticalHeader()->width() + frameWidth(), frameWidth(), columnWidth(0),
                        viewport()->height() + horizontalHeader()->height());
}

void TextGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    placeFixedColumn();
}

QModelIndex TextGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) {
    const QModelIndex current = QTableView::moveCursor(action, modifiers);
    if (fixed_ && action == MoveLeft && current.column() > 0 && visualRect(current).topLeft().x() < columnWidth(0)) {
        const int x = visualRect(current).topLeft().x() - columnWidth(0);
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + x);
    }
    return current;
}

void TextGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!fixed_ || index.column() > 0) QTableView::scrollTo(index, hint);
}

}  // namespace trevanor
