#include "forms/Movement.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/named.h"
#include "forms/widgets/row_sort_proxy.h"
#include "forms/widgets/text_table_view.h"
#include "model/text.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {
enum Column { kName, kOwner, kEarlierX, kEarlierY, kX, kY, kDistance, kStatus, kMatchedBy, kColumns };
const char* const kHeadings[kColumns] = {"Unique name", "Owner", "Earlier X", "Earlier Y", "X", "Y", "Distance (ly)",
                                         "Status", "Matched by"};
const char* const kAllOwners = "All owners";
}  // namespace

// The moves as rows; numbers sort as numbers, blanks first.
class MovementTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setMoves(std::vector<FleetMove> moves) {
        beginResetModel();
        moves_ = std::move(moves);
        endResetModel();
    }
    const FleetMove& move(int row) const { return moves_[static_cast<std::size_t>(row)]; }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(moves_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kColumns; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return QString::fromLatin1(kHeadings[section]);
    }
    bool less(int column, int left, int right) const {
        const FleetMove &a = move(left), &b = move(right);
        switch (column) {
        case kName: return compare_ci(a.uniqueName, b.uniqueName) < 0;
        case kOwner: return compare_ci(a.owner, b.owner) < 0;
        case kStatus: return std::string_view(status_word(a.status)) < status_word(b.status);
        case kMatchedBy: return data(index(left, column), Qt::DisplayRole).toString() <
                                data(index(right, column), Qt::DisplayRole).toString();
        default: return sortKey(a, column) < sortKey(b, column);
        }
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole) return {};
        const FleetMove& m = move(index.row());
        const int c = index.column();
        if (role == Qt::TextAlignmentRole)
            return c >= kEarlierX && c <= kDistance ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
        const auto number = [&](bool has, double value, int decimals) -> QVariant {
            return has ? QString::number(value, 'f', decimals) : QString();
        };
        switch (c) {
        case kName: return fromCp1252(m.uniqueName);
        case kOwner: return fromCp1252(m.owner);
        case kEarlierX: return number(m.hasEarlier(), m.earlierX, 0);
        case kEarlierY: return number(m.hasEarlier(), m.earlierY, 0);
        case kX: return number(m.hasCurrent(), m.currentX, 0);
        case kY: return number(m.hasCurrent(), m.currentY, 0);
        case kDistance: return number(m.hasEarlier() && m.hasCurrent(), m.distance, 2);
        case kStatus: return QString::fromLatin1(status_word(m.status));
        default:
            if (!m.hasEarlier() || !m.hasCurrent()) return QString();
            return m.byName ? QStringLiteral("name") : QStringLiteral("ID");
        }
    }

private:
    // A number column's value; -1 where the row has none.
    static double sortKey(const FleetMove& m, int column) {
        const bool earlier = m.hasEarlier(), current = m.hasCurrent();
        switch (column) {
        case kEarlierX: return earlier ? m.earlierX : -1.0;
        case kEarlierY: return earlier ? m.earlierY : -1.0;
        case kX: return current ? m.currentX : -1.0;
        case kY: return current ? m.currentY : -1.0;
        default: return earlier && current ? m.distance : -1.0;
        }
    }

    std::vector<FleetMove> moves_;
};

TMovement_FM::TMovement_FM(Application& app) : ToolWindow(app, "TMovement_FM", "Movement") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Since_LBL = named(new QLabel(this), "Since_LBL");
    top->addWidget(Since_LBL, 1);
    top->addWidget(new QLabel(QStringLiteral("Owner:"), this));
    Owner_CB = named(new QComboBox(this), "Owner_CB");
    top->addWidget(Owner_CB);
    layout->addLayout(top);
    table_ = new MovementTable(this);
    shown_ = new RowSortProxy(this, [this](int column, int left, int right) { return table_->less(column, left, right); });
    shown_->setSourceModel(table_);
    shown_->setFilterKeyColumn(kOwner);
    // Until a heading is clicked: the open game's position order, then the gone fleets.
    Movement_GR = sorted_list_view(this, "Movement_GR", shown_, {220, 90, 70, 70, 70, 70, 90, 70, 80});
    layout->addWidget(Movement_GR, 1);
    auto* buttons = new QHBoxLayout;
    Close_BTN = named(new QPushButton(QStringLiteral("&Close"), this), "Close_BTN");
    buttons->addStretch();
    buttons->addWidget(Close_BTN);
    layout->addLayout(buttons);
    resize(920, 480);
    setWindowButtons(nullptr, Close_BTN);

    connect(Owner_CB, &QComboBox::activated, this, [this] { filterOwner(); });
    connect(Movement_GR, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Movement_GRDblClick(index.row()); });
    connect(Close_BTN, &QPushButton::clicked, this, [this] { close(); });
}

void TMovement_FM::refresh() {
    YearComparison& c = app_.comparison;
    const std::uint64_t generation = c.active() ? c.generation(app_.session) : 0;
    if (generation == shownGeneration_) return;
    shownGeneration_ = generation;
    table_->setMoves(c.active() ? c.moves(app_.session) : std::vector<FleetMove>());
    Since_LBL->setText(c.active() ? QStringLiteral("Since %1").arg(fromCp1252(c.earlier()->name()))
                                  : QStringLiteral("No earlier reports are compared."));
    // The owners of every row, in player order; a choice still listed stays.
    QStringList owners{QString::fromLatin1(kAllOwners)};
    for (int p = 1; p <= kPlayers; ++p)
        for (int r = 0; r < table_->rowCount(); ++r)
            if (table_->move(r).ownerNumber == p) {
                owners << fromCp1252(table_->move(r).owner);
                break;
            }
    const QString chosen = Owner_CB->currentText();
    Owner_CB->clear();
    Owner_CB->addItems(owners);
    Owner_CB->setCurrentIndex(std::max(0, Owner_CB->findText(chosen)));
    fit_popup(Owner_CB);
    filterOwner();
}

void TMovement_FM::filterOwner() {
    const QString owner = Owner_CB->currentIndex() <= 0 ? QString() : Owner_CB->currentText();
    shown_->setFilterRegularExpression(
        owner.isEmpty() ? QRegularExpression() : QRegularExpression(u'^' + QRegularExpression::escape(owner) + u'$'));
}

void TMovement_FM::Movement_GRDblClick(int row) {
    const FleetMove& m = table_->move(shown_->mapToSource(shown_->index(row, 0)).row());
    TMap_FM* map = app_.map();
    if (!map) return;
    map->showAndActivate();
    if (m.hasCurrent()) map->select_point(m.currentX, m.currentY);
    else map->select_point(m.earlierX, m.earlierY);
    // Shown again after the map, as the particulars are, so that the list
    // stays above the map it works on.
    showAndActivate();
}

}  // namespace trevanor
