#include "forms/Reach.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/map.h"
#include "forms/widgets/action_timing.h"
#include "forms/widgets/named.h"
#include "forms/widgets/row_sort_proxy.h"
#include "forms/widgets/screen_fit.h"
#include "map/routes.h"
#include "model/numbers.h"
#include "model/players.h"
#include "model/text.h"
#include "platform/cp1252.h"

namespace trevanor {

namespace {
enum Column { kFleet, kOwner, kDistance, kWarp, kYears, kCourse, kShips, kWarships, kMass, kColumns };
const char* const kHeadings[kColumns] = {"Fleet", "Owner", "Distance", "Warp", "Years", "Course", "Ships", "Warships",
                                         "Mass"};

// The order of courses when the list is sorted by them: coming first.
double course_key(const Course& c) {
    switch (c.kind) {
    case Course::Kind::Here: return -1;
    case Course::Kind::Angle: return c.degrees;
    case Course::Kind::Elsewhere: return 1000;
    case Course::Kind::Still: return 1001;
    case Course::Kind::Unknown: break;
    }
    return 1002;
}

double number_key(const std::string& cell) {
    const auto n = parse_int(cell);
    return n ? static_cast<double>(*n) : -1.0;
}
}  // namespace

// The fleets that can reach the place, as rows.
class ReachTable : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setFleets(const std::vector<ReachingFleet>& fleets) {
        beginResetModel();
        fleets_ = fleets;
        endResetModel();
    }
    const ReachingFleet& fleet(int row) const { return fleets_[static_cast<std::size_t>(row)]; }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(fleets_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kColumns; }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return QString::fromLatin1(kHeadings[section]);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const ReachingFleet& f = fleet(index.row());
        const int c = index.column();
        if (role == Qt::TextAlignmentRole)
            return c == kFleet || c == kOwner || c == kCourse ? QVariant() : QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role == Qt::FontRole && c == kCourse && f.course.coming()) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        if (role != Qt::DisplayRole) return {};
        switch (c) {
        case kFleet: return fromCp1252(f.uniqueName);
        case kOwner: return fromCp1252(f.owner);
        case kDistance: return QString::number(f.distance, 'f', 2);
        case kWarp: return f.warp;
        case kYears: return f.years;
        case kCourse: return fromCp1252(f.course.text());
        case kShips: return fromCp1252(f.ships);
        case kWarships: return fromCp1252(f.warships);
        default: return fromCp1252(f.mass);
        }
    }
    bool less(int column, int left, int right) const {
        const ReachingFleet &a = fleet(left), &b = fleet(right);
        switch (column) {
        case kFleet: return compare_ci(a.uniqueName, b.uniqueName) < 0;
        case kOwner: return compare_ci(a.owner, b.owner) < 0;
        case kDistance: return a.distance < b.distance;
        case kWarp: return a.warp < b.warp;
        case kYears: return a.years < b.years;
        case kCourse: return course_key(a.course) < course_key(b.course);
        case kShips: return number_key(a.ships) < number_key(b.ships);
        case kWarships: return number_key(a.warships) < number_key(b.warships);
        default: return number_key(a.mass) < number_key(b.mass);
        }
    }

private:
    std::vector<ReachingFleet> fleets_;
};

TReach_FM::TReach_FM(Application& app) : ToolWindow(app, "TReach_FM", "Who can reach") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Place_LBL = named(new QLabel(this), "Place_LBL");
    top->addWidget(Place_LBL, 1);
    auto* years = new QLabel(QStringLiteral("&Years:"), this);
    top->addWidget(years);
    Years_SE = named(new QSpinBox(this), "Years_SE");
    Years_SE->setRange(1, 9);
    Years_SE->setValue(std::clamp(app.session.Reach_years, 1, 9));
    years->setBuddy(Years_SE);
    top->addWidget(Years_SE);
    Enemies_CB = named(new QCheckBox(QStringLiteral("Only &enemies"), this), "Enemies_CB");
    Enemies_CB->setToolTip(QStringLiteral("Leaves out the own race's and the allies' fleets"));
    top->addWidget(Enemies_CB);
    layout->addLayout(top);

    table_ = new ReachTable(this);
    shown_ = new RowSortProxy(this, [this](int column, int left, int right) { return table_->less(column, left, right); });
    shown_->setSourceModel(table_);
    // Until a heading is clicked: by years, distance and name.
    Reach_GR = sorted_list_view(this, "Reach_GR", shown_, {220, 90, 70, 45, 45, 75, 50, 65, 60});
    layout->addWidget(Reach_GR, 1);

    auto* bottom = new QHBoxLayout;
    Count_LBL = named(new QLabel(this), "Count_LBL");
    bottom->addWidget(Count_LBL, 1);
    Close_BTN = named(new QPushButton(QStringLiteral("&Close"), this), "Close_BTN");
    bottom->addWidget(Close_BTN);
    layout->addLayout(bottom);
    resize(780, 420);
    setWindowButtons(nullptr, Close_BTN);

    connect(Years_SE, &QSpinBox::valueChanged, this, [this] { yearsChanged(); });
    connect(Enemies_CB, &QCheckBox::toggled, this, [this] {
        ActionTiming::start("reach enemies", shownBy());
        refresh();
    });
    connect(Reach_GR, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex& index) { Reach_GRDblClick(index.row()); });
    connect(Close_BTN, &QPushButton::clicked, this, [this] { close(); });
}

// An action shows itself once the map shows its marks, else in the list.
const QWidget* TReach_FM::shownBy() const {
    const TMap_FM* map = app_.map();
    return map && map->isVisible() ? map->Image1 : Reach_GR->viewport();
}

void TReach_FM::ask(const ReachPlace& place) {
    ActionTiming::start("reach", shownBy());
    place_ = place;
    asked_ = true;
    if (isVisible()) refresh();
    showAndActivate();  // a hidden window's showing draws the marks
}

// In the map's lower left corner, where it hides least of the place asked
// about (the map centres what is found or clicked).
void TReach_FM::place() {
    const TMap_FM* map = app_.map();
    if (!map || !map->isVisible()) {
        ToolWindow::place();
        return;
    }
    // On a short screen it takes no more than the lower part of the map.
    const QRect area = available_area(map);
    resize(std::min(width(), area.width() * 3 / 5), std::min(height(), area.height() * 9 / 20));
    const QRect over = map->frameGeometry(), frame = frameGeometry();
    const QPoint corner(over.left() + 16, over.bottom() - frame.height() - 16);
    move(fit_within(QRect(corner, frame.size()), area).topLeft());
}

void TReach_FM::shown() {
    update();
    showAnswer();
    if (asked_) app_.refreshMap();
}

TReach_FM::Question TReach_FM::question() const {
    Question q;
    q.place = place_;
    q.years = Years_SE->value();
    if (const TMap_FM* map = app_.map()) q.filter = toCp1252(map->Route_race_CB->currentText());
    if (q.filter.empty()) q.filter = "_All";
    q.enemiesOnly = Enemies_CB->isChecked();
    q.fleets = app_.session.fleets.revision();
    q.ownRace = app_.session.Own_race_name;
    q.allies = app_.session.acceptedReportOwners;
    return q;
}

bool TReach_FM::update() {
    Question q = question();
    if (q == answered_ && answerGeneration_ != 0) return false;
    const Session& s = app_.session;
    const auto friendly = [&](int owner) {
        if (owner == player_index_of(s, s.Own_race_name)) return true;
        for (const std::string& ally : s.acceptedReportOwners)
            if (owner == player_index_of(s, ally)) return true;
        return false;
    };
    marks_.place = place_;
    marks_.fleets = asked_ ? who_can_reach(s, place_, q.years,
                                           [&](int owner) {
                                               return route_filter_passes(s, q.filter, owner) &&
                                                      !(q.enemiesOnly && friendly(owner));
                                           })
                           : std::vector<ReachingFleet>();
    answered_ = std::move(q);
    ++answerGeneration_;
    return true;
}

const ReachMarks& TReach_FM::marks() {
    update();
    return marks_;
}

void TReach_FM::refresh() {
    const bool changed = update();
    showAnswer();
    if (changed && isVisible()) app_.refreshMap();
}

void TReach_FM::showAnswer() {
    if (answerGeneration_ == shownGeneration_) return;
    shownGeneration_ = answerGeneration_;
    table_->setFleets(marks_.fleets);
    const QString place = fromCp1252(place_.name);
    setWindowTitle(QStringLiteral("Who can reach %1").arg(place));
    Place_LBL->setText(QStringLiteral("%1 at %2, %3").arg(place).arg(place_.x).arg(place_.y));
    const std::size_t n = marks_.fleets.size();
    Count_LBL->setText(n == 1 ? QStringLiteral("1 fleet") : QStringLiteral("%1 fleets").arg(n));
}

void TReach_FM::yearsChanged() {
    ActionTiming::start("reach years", shownBy());
    app_.session.Reach_years = Years_SE->value();
    app_.run([this] { app_.settings.save_turn_options(); });
    refresh();
}

void TReach_FM::forget() {
    asked_ = false;
    place_ = {};
    answerGeneration_ = 0;
    shownGeneration_ = ~std::uint64_t{0};
    marks_ = {};
    table_->setFleets({});
    hide();
}

void TReach_FM::hideEvent(QHideEvent* e) {
    ToolWindow::hideEvent(e);
    if (!e->spontaneous() && asked_) app_.refreshMap();
}

void TReach_FM::Reach_GRDblClick(int row) {
    const ReachingFleet& f = table_->fleet(shown_->mapToSource(shown_->index(row, 0)).row());
    TMap_FM* map = app_.map();
    if (!map) return;
    map->showAndActivate();
    map->select_point(f.x, f.y);
    // Shown again after the map, so that the list stays above the map it works on.
    showAndActivate();
}

}  // namespace trevanor
