#include "forms/widgets/text_table_view.h"

#include <QComboBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QStyleOptionViewItem>
#include <QtMath>
#include <algorithm>

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

TextWidths::TextWidths(const QFont& font) : metrics_(font) {
    for (int b = 0; b < 256; ++b) {
        byLatin1_[static_cast<std::size_t>(b)] = metrics_.horizontalAdvance(QChar(b));
        const QString text = fromCp1252(std::string(1, static_cast<char>(b)));
        byByte_[static_cast<std::size_t>(b)] = text.size() == 1 ? metrics_.horizontalAdvance(text[0]) : 0;
    }
}

qreal TextWidths::of(const std::string& bytes) const {
    qreal width = 0;
    for (const char b : bytes) width += byByte_[static_cast<unsigned char>(b)];
    return width;
}

qreal TextWidths::of(const QString& text) const {
    qreal width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 256) {
            width += byLatin1_[u];
            continue;
        }
        auto known = others_.constFind(u);
        if (known == others_.cend()) known = others_.insert(u, metrics_.horizontalAdvance(c));
        width += *known;
    }
    return width;
}

namespace {
void style_grid(QTableView* view, const std::vector<int>& widths) {
    // The small grid font; columns widen to their texts, and text is cut,
    // not elided, should the user narrow a column, so that numbers keep their
    // leading digits.
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
    : QTableView(parent), model_(new TextTableModel(table, this)), minimumWidths_(widths) {
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

void TextGrid::refresh() {
    model_->refresh();
    fitPending_ = true;
    if (isVisible()) fitColumns();
}

void TextGrid::showEvent(QShowEvent* event) {
    QTableView::showEvent(event);
    if (fitPending_) fitColumns();
}

// What a cell needs beside its text: the style's margins and the grid line.
int TextGrid::cellMargins() {
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.features |= QStyleOptionViewItem::HasDisplay;
    option.text = QStringLiteral("0");
    const QSize hint = style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), this);
    return hint.width() - qCeil(QFontMetricsF(option.font).horizontalAdvance(option.text)) + (showGrid() ? 1 : 0);
}

void TextGrid::fitColumns() {
    fitPending_ = false;
    const TextTable& table = model_->table();
    const auto columns = static_cast<std::size_t>(table.columnCount());
    const TextWidths widths(font());
    // The widest cell of each column by summed advances, then measured exactly.
    std::vector<qreal> widest(columns, 0);
    std::vector<int> widestRow(columns, 0);
    for (int r = 1; r < table.rowCount(); ++r) {
        const std::vector<std::string>& row = table.row(r);
        for (std::size_t c = 0; c < std::min(columns, row.size()); ++c) {
            if (row[c].empty()) continue;
            const qreal w = widths.of(row[c]);
            if (w > widest[c]) {
                widest[c] = w;
                widestRow[c] = r;
            }
        }
    }
    const int margins = cellMargins();
    fitted_.resize(columns, -1);
    for (std::size_t c = 0; c < columns; ++c) {
        const int column = static_cast<int>(c);
        int need = horizontalHeader()->sectionSizeHint(column);
        if (widestRow[c] > 0) {
            const qreal text = std::max(widest[c], widths.exact(fromCp1252(table.cell(column, widestRow[c]))));
            need = std::max(need, qCeil(text) + margins);
        }
        if (c < minimumWidths_.size()) need = std::max(need, minimumWidths_[c]);
        if (need == fitted_[c]) continue;
        fitted_[c] = need;
        setColumnWidth(column, need);
    }
    applyCap();
}

void TextGrid::capWidth(int pixels) {
    cap_ = pixels;
    applyCap();
}

void TextGrid::applyCap() {
    if (cap_ <= 0) return;
    int columns = 0;
    for (int c = 0; c < model_->columnCount(); ++c) columns += columnWidth(c);
    const int whole = 2 * frameWidth() + (verticalHeader()->isHidden() ? 0 : verticalHeader()->width()) + columns +
                      verticalScrollBar()->sizeHint().width();
    setMaximumWidth(std::max(cap_, whole));
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

int popup_item_width(const QComboBox* box, int row) {
    const QAbstractItemView* view = box->view();
    const QModelIndex index = box->model()->index(row, box->modelColumn(), box->rootModelIndex());
    const QFontMetrics metrics(box->font());
    QStyleOptionViewItem option;
    option.initFrom(view);
    option.font = view->font();
    const int icon = view->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, view);
    option.decorationSize = view->iconSize().isValid() ? view->iconSize() : QSize(icon, icon);
    // A popup in the look of a menu sizes its items around the text size it
    // is given here, as a menu does; a list popup measures the item itself.
    option.rect = QRect(QPoint(), QSize(metrics.horizontalAdvance(box->itemText(row)), metrics.height()));
    return view->itemDelegateForIndex(index)->sizeHint(option, index).width();
}

int longest_item(const QComboBox* box) {
    const TextWidths widths(box->font());
    int longest = -1;
    qreal most = -1;
    for (int i = 0; i < box->count(); ++i)
        if (const qreal w = widths.of(box->itemText(i)); w > most) {
            most = w;
            longest = i;
        }
    return longest;
}

void fit_popup(QComboBox* box) { fit_popup(box, longest_item(box)); }

void fit_popup(QComboBox* box, int longest) {
    QAbstractItemView* view = box->view();
    if (longest < 0) {
        view->setMinimumWidth(0);
        return;
    }
    int need = popup_item_width(box, longest) + 2 * view->frameWidth();
    if (box->count() > box->maxVisibleItems()) need += view->verticalScrollBar()->sizeHint().width();
    view->setMinimumWidth(need);
}

int closed_width(const QComboBox* box, int row) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    const QFontMetrics metrics(box->font());
    const int text = row < 0 ? 0 : metrics.horizontalAdvance(box->itemText(row));
    return box->style()->sizeFromContents(QStyle::CT_ComboBox, &option, QSize(text, metrics.height()), box).width();
}

}  // namespace trevanor
