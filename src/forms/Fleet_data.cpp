#include "forms/Fleet_data.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/application.h"
#include "forms/Scanner_type.h"
#include "forms/map.h"
#include "forms/widgets/named.h"
#include "forms/widgets/name_completer.h"
#include "forms/widgets/screen_fit.h"
#include "forms/widgets/text_table_view.h"
#include "map/hit_test.h"
#include "model/numbers.h"
#include "model/players.h"
#include "model/report_format.h"
#include "model/text.h"
#include "model/scanner_marks.h"
#include "platform/cp1252.h"
#include "platform/qt_canvas.h"

namespace trevanor {

namespace {

constexpr int kClientWidth = 267;

// Text in a colour of its own on a background it stands out from: a light
// text on dark, a dark one on light.
void paint_text(QLabel* label, const std::optional<ColorValue>& colour) {
    if (!colour) {
        label->setStyleSheet(QString());
        return;
    }
    const QColor c = to_qcolor(*colour);
    const bool light = qGray(c.rgb()) > 128;
    label->setStyleSheet(QStringLiteral("QLabel { color: %1; background: %2; padding: 0px 2px; }")
                             .arg(c.name(), light ? QStringLiteral("#303030") : QStringLiteral("#f0f0f0")));
}

void paint_fill(QWidget* shape, const std::optional<ColorValue>& colour) {
    const QColor c = colour ? to_qcolor(*colour) : QColor(Qt::white);
    shape->setStyleSheet(QStringLiteral("QFrame { background: %1; border: 1px solid black; }").arg(c.name()));
}

// A caption in the colour of its cargo.
QLabel* cargo_caption(const char* text, ColorValue colour, QWidget* parent) {
    auto* l = new QLabel(QString::fromLatin1(text), parent);
    paint_text(l, colour);
    return l;
}

}  // namespace

template <class W>
W* TFleet_Data_FM::add(W* widget, Ctl id) {
    controls_[static_cast<std::size_t>(id)] = named(widget, ParticularsView::controls()[static_cast<std::size_t>(id)].name);
    return widget;
}

QWidget* TFleet_Data_FM::control(Ctl id) const { return controls_[static_cast<std::size_t>(id)]; }

TFleet_Data_FM::TFleet_Data_FM(Application& app) : ToolWindow(app, "TFleet_Data_FM", "Fleet Particulars") {
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    // The boxes shown scroll where the screen is too short for them.
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    scroll_ = named(new QScrollArea(this), "Particulars_SB");
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(true);
    outer->addWidget(scroll_);
    content_ = new QWidget(scroll_);
    auto* layout = new QVBoxLayout(content_);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    buildPanel(layout);
    buildSingle(layout);
    buildMore(layout);
    buildMulti(layout);
    // Beyond the window's own controls: how far the fleet shown went since
    // an earlier year, while one is compared.
    movement_ = named(new QLabel(this), "movement_lbl");
    movement_->setContentsMargins(4, 2, 4, 2);
    movement_->hide();
    layout->addWidget(movement_);
    // And where it was in the kept turns, while the map shows its trail: as
    // wide as the boxes above, as many lines as that takes.
    trail_ = named(new QLabel(this), "Trail_LBL");
    trail_->setContentsMargins(4, 2, 4, 2);
    trail_->setWordWrap(true);
    trail_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    trail_->hide();
    layout->addWidget(trail_);
    scroll_->setWidget(content_);
    connectControls();
    sync();
}

void TFleet_Data_FM::buildPanel(QVBoxLayout* layout) {
    Panel1 = add(new QWidget(this), Ctl::Panel1);
    Panel1->setFixedHeight(25);
    auto* row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 0, 2, 0);
    row->addWidget(add(new QLabel(Panel1), Ctl::sel_lbl));
    Fleet_CB = add(new QComboBox(Panel1), Ctl::Fleet_CB);
    Fleet_CB->setMaxVisibleItems(16);
    NameCompleter::attach(Fleet_CB);
    row->addWidget(Fleet_CB, 1);
    row->addWidget(add(new QLineEdit(Panel1), Ctl::c2c_ed));
    layout->addWidget(Panel1);
}

// A value of the single view: right-aligned, not bold like the box's caption.
QLabel* TFleet_Data_FM::value(Ctl name, QWidget* parent) {
    auto* l = add(new QLabel(parent), name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

void TFleet_Data_FM::buildSingle(QVBoxLayout* layout) {
    GroupBox1 = add(new QGroupBox(this), Ctl::GroupBox1);
    GroupBox1->setMinimumWidth(kClientWidth - 4);
    auto* g = new QGridLayout(GroupBox1);
    g->addWidget(new QLabel(QStringLiteral("Pos.:"), GroupBox1), 0, 0);
    g->addWidget(add(new QLabel(GroupBox1), Ctl::pos_lbl), 0, 1);
    auto* shape = add(new QFrame(GroupBox1), Ctl::color_shp);
    shape->setFixedSize(14, 14);
    g->addWidget(shape, 0, 2);
    const std::pair<const char*, Ctl> rows[] = {
        {"Unarmed:", Ctl::o_unarmed_lbl}, {"Scout:", Ctl::o_scout_lbl},          {"Warship:", Ctl::o_warship_lbl},
        {"Bomber:", Ctl::o_bomber_lbl},   {"Utility:", Ctl::o_utility_lbl},      {"Number of ships:", Ctl::o_total_lbl},
        {"Fleet mass:", Ctl::o_mass_lbl}};
    int r = 1;
    for (const auto& [caption, name] : rows) {
        g->addWidget(new QLabel(QString::fromLatin1(caption), GroupBox1), r, 0);
        g->addWidget(value(name, GroupBox1), r++, 1);
    }
    g->addWidget(new QLabel(QStringLiteral("kT"), GroupBox1), r - 1, 2);
    auto* voyage = add(new QGroupBox(GroupBox1), Ctl::voyage_grbx);
    auto* vg = new QGridLayout(voyage);
    vg->addWidget(new QLabel(QStringLiteral("Warp"), voyage), 0, 0);
    vg->addWidget(value(Ctl::warp_lbl, voyage), 0, 1);
    vg->addWidget(new QLabel(QStringLiteral("Course (deg):"), voyage), 1, 0);
    vg->addWidget(value(Ctl::course_lbl, voyage), 1, 1);
    g->addWidget(voyage, r++, 0, 1, 3);
    g->addWidget(buildCargo(GroupBox1), r++, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    for (const Ctl id : {Ctl::Full_btn, Ctl::mfleets_btn, Ctl::c2c_btn, Ctl::X_btn})
        buttons->addWidget(add(new QPushButton(GroupBox1), id));
    g->addLayout(buttons, r++, 0, 1, 3);
    g->addWidget(add(new QLabel(GroupBox1), Ctl::uniq_name_lbl), r, 0);
    // Only the caption is bold, not what the box holds.
    QFont bold = GroupBox1->font();
    bold.setBold(true);
    GroupBox1->setFont(bold);
    for (QWidget* child : GroupBox1->findChildren<QWidget*>()) {
        QFont normal = child->font();
        normal.setBold(false);
        child->setFont(normal);
    }
    layout->addWidget(GroupBox1);
}

QGroupBox* TFleet_Data_FM::buildCargo(QWidget* parent) {
    auto* cargo = add(new QGroupBox(parent), Ctl::cargo_GrBx);
    auto* cg = new QGridLayout(cargo);
    const struct {
        const char* caption;
        ColorValue colour;
        Ctl name;
        const char* unit;
    } cargoRows[] = {{"Ironium:", 0xFF0000, Ctl::Iron_lbl, "kT"},
                     {"Boranium:", 0x008000, Ctl::boran_lbl, "kT"},
                     {"Germanium:", 0x00FFFF, Ctl::Germ_lbl, "kT"},
                     {"Colonists:", 0xFFFFFF, Ctl::pop_lbl, "(00)"}};
    int c = 0;
    for (const auto& row : cargoRows) {
        cg->addWidget(cargo_caption(row.caption, row.colour, cargo), c, 0);
        cg->addWidget(value(row.name, cargo), c, 1);
        cg->addWidget(new QLabel(QString::fromLatin1(row.unit), cargo), c++, 2);
    }
    auto* rule = new QFrame(cargo);
    rule->setFrameShape(QFrame::HLine);
    cg->addWidget(rule, c++, 0, 1, 3);
    cg->addWidget(new QLabel(QStringLiteral("Total:"), cargo), c, 0);
    cg->addWidget(value(Ctl::total_cargo_lbl, cargo), c, 1);
    cg->addWidget(new QLabel(QStringLiteral("kT"), cargo), c, 2);
    return cargo;
}

void TFleet_Data_FM::buildMore(QVBoxLayout* layout) {
    More_GrBx = add(new QGroupBox(this), Ctl::More_GrBx);
    auto* g = new QGridLayout(More_GrBx);
    const std::pair<const char*, Ctl> rows[] = {
        {"Task:", Ctl::task_lbl},      {"Destin.: ", Ctl::dest_lbl},   {"ETA:", Ctl::ETA_lbl},       {"Fuel:", Ctl::Fuel_lbl},
        {"Cloak:", Ctl::cloak_lbl},    {"Scan:", Ctl::np_scan_lbl},    {"Pen scan:", Ctl::pen_scan_lbl}, {"Sweep:", Ctl::sweep_lbl},
        {"Mining:", Ctl::mining_lbl},  {"Minelaying:", Ctl::mlaying_lbl}, {"Terra.:", Ctl::terra_lbl}};
    int r = 0;
    for (const auto& [caption, name] : rows) {
        g->addWidget(new QLabel(QString::fromLatin1(caption), More_GrBx), r, 0);
        g->addWidget(add(new QLabel(More_GrBx), name), r, 1);
        if (name == Ctl::Fuel_lbl) g->addWidget(new QLabel(QStringLiteral("mg"), More_GrBx), r, 2);
        if (name == Ctl::cloak_lbl) g->addWidget(new QLabel(QStringLiteral("%"), More_GrBx), r, 2);
        ++r;
    }
    auto* bevel = add(new QFrame(More_GrBx), Ctl::Bevel7);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    auto* note = new QHBoxLayout(bevel);
    note->setContentsMargins(2, 1, 2, 1);
    note->addWidget(add(new QLabel(bevel), Ctl::incorrect_lbl));
    g->addWidget(bevel, r++, 0, 1, 3);
    autoexpand_chb = add(new QCheckBox(More_GrBx), Ctl::autoexpand_chb);
    g->addWidget(autoexpand_chb, r, 0, 1, 2);
    Draw_btn = add(new QPushButton(More_GrBx), Ctl::Draw_btn);
    Draw_btn->setContextMenuPolicy(Qt::CustomContextMenu);  // a right click has an action of its own
    g->addWidget(Draw_btn, r, 2);
    layout->addWidget(More_GrBx);
}

void TFleet_Data_FM::buildMulti(QVBoxLayout* layout) {
    multi_grbx = add(new QGroupBox(this), Ctl::multi_grbx);
    multi_grbx->setMinimumWidth(kClientWidth - 4);
    auto* g = new QGridLayout(multi_grbx);
    g->addWidget(new QLabel(QStringLiteral("Pos.:"), multi_grbx), 0, 0);
    g->addWidget(add(new QLabel(multi_grbx), Ctl::m_pos_lbl), 0, 1);
    auto* shape = add(new QFrame(multi_grbx), Ctl::m_color_shp);
    shape->setFixedSize(14, 14);
    g->addWidget(shape, 0, 2);
    const std::pair<const char*, Ctl> rows[] = {
        {"Number of fleets:", Ctl::m_fleet_no_lbl}, {"Number of ships:", Ctl::m_shipno_lbl}, {"Unarmed:", Ctl::m_unarmed_lbl},
        {"Scout:", Ctl::m_scout_lbl},               {"Warship:", Ctl::m_warship_lbl},       {"Bomber:", Ctl::m_bomber_lbl},
        {"Utility:", Ctl::m_util_lbl},              {"Total mass:", Ctl::m_mass_lbl},       {"Total Fuel:", Ctl::m_fuel_lbl}};
    int r = 1;
    for (const auto& [caption, name] : rows) {
        g->addWidget(new QLabel(QString::fromLatin1(caption), multi_grbx), r, 0);
        g->addWidget(add(new QLabel(multi_grbx), name), r++, 1);
    }
    g->addWidget(new QLabel(QStringLiteral("kT"), multi_grbx), r - 2, 2);
    g->addWidget(new QLabel(QStringLiteral("mg"), multi_grbx), r - 1, 2);
    auto* note = add(new QLabel(multi_grbx), Ctl::aster_lbl);
    note->setWordWrap(true);
    g->addWidget(note, r++, 0, 1, 3);

    auto* partic = add(new QGroupBox(multi_grbx), Ctl::fleet_partic_grbx);
    auto* pg = new QGridLayout(partic);
    const std::pair<const char*, Ctl> best[] = {
        {"Best scan:", Ctl::m_scan_lbl},       {"Best p. scan:", Ctl::m_penscan_lbl}, {"Total Mining:", Ctl::m_mining_lbl},
        {"Total Terra.:", Ctl::m_terra_lbl},   {"Total Sweep:", Ctl::m_sweep_lbl},   {"Total Minelay.:", Ctl::m_minelaying_lbl}};
    int p = 0;
    for (const auto& [caption, name] : best) {
        pg->addWidget(new QLabel(QString::fromLatin1(caption), partic), p, 0);
        pg->addWidget(add(new QLabel(partic), name), p++, 1);
    }
    pg->addWidget(add(new QPushButton(partic), Ctl::m_draw_btn), p - 1, 2);
    g->addWidget(partic, r++, 0, 1, 3);

    auto* cargo = add(new QGroupBox(multi_grbx), Ctl::multi_cargo_grbx);
    auto* cg = new QGridLayout(cargo);
    const std::pair<const char*, Ctl> cargoRows[] = {
        {"Ironium:", Ctl::m_iron_lbl}, {"Boranium:", Ctl::m_boran_lbl}, {"Germanium:", Ctl::m_germ_lbl},
        {"Colonists:", Ctl::m_pop_lbl}, {"Total:", Ctl::m_cargo_tot_lbl}};
    const ColorValue inks[] = {0xFF0000, 0x008000, 0x00FFFF, 0xFFFFFF};
    int c = 0;
    for (const auto& [caption, name] : cargoRows) {
        cg->addWidget(c < 4 ? cargo_caption(caption, inks[c], cargo) : new QLabel(QString::fromLatin1(caption), cargo), c, 0);
        cg->addWidget(add(new QLabel(cargo), name), c, 1);
        cg->addWidget(new QLabel(c == 3 ? QStringLiteral("(00)") : QStringLiteral("kT"), cargo), c, 2);
        ++c;
    }
    g->addWidget(cargo, r++, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add(new QPushButton(multi_grbx), Ctl::one_fleet_btn));
    buttons->addWidget(add(new QPushButton(multi_grbx), Ctl::Button1));
    m_default_chb = add(new QCheckBox(multi_grbx), Ctl::m_default_chb);
    buttons->addWidget(m_default_chb);
    g->addLayout(buttons, r, 0, 1, 3);
    layout->addWidget(multi_grbx);
}

void TFleet_Data_FM::connectControls() {
    const auto button = [this](Ctl id) { return static_cast<QPushButton*>(control(id)); };
    connect(Fleet_CB, &QComboBox::activated, this, [this](int index) { Fleet_CBChange(index); });
    connect(button(Ctl::one_fleet_btn), &QPushButton::clicked, this, [this] { one_fleet_btnClick(); });
    connect(button(Ctl::mfleets_btn), &QPushButton::clicked, this, [this] { mfleets_btnClick(); });
    connect(button(Ctl::Full_btn), &QPushButton::clicked, this, [this] { Full_btnClick(); });
    connect(button(Ctl::c2c_btn), &QPushButton::clicked, this, [this] { c2c_btnClick(); });
    connect(button(Ctl::X_btn), &QPushButton::clicked, this, [this] { close(); });
    connect(button(Ctl::Button1), &QPushButton::clicked, this, [this] { close(); });
    connect(Draw_btn, &QPushButton::clicked, this, [this] { draw_fm_fleet_data(false); });
    connect(Draw_btn, &QWidget::customContextMenuRequested, this, [this] { Draw_btnRightClick(); });
    connect(button(Ctl::m_draw_btn), &QPushButton::clicked, this, [this] { draw_fm_fleet_data(true); });
    for (const Ctl id : {Ctl::autoexpand_chb, Ctl::m_default_chb})
        connect(static_cast<QCheckBox*>(control(id)), &QCheckBox::clicked, this, [this, id](bool ticked) {
            view[id].checked = ticked;
            focusList();
        });
}

void TFleet_Data_FM::sync() {
    for (const ParticularsView::Control& c : ParticularsView::controls()) {
        QWidget* w = control(c.id);
        const ControlState& s = view[c.id];
        if (!w) continue;
        w->setVisible(s.shown);
        w->setToolTip(s.hintShown ? fromCp1252(s.hint) : QString());
        w->setEnabled(s.enabled);
        const QString text = fromCp1252(s.text);
        if (auto* label = qobject_cast<QLabel*>(w)) {
            label->setText(text);
            paint_text(label, s.font);
        } else if (auto* box = qobject_cast<QGroupBox*>(w)) {
            box->setTitle(text);
        } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
            check->setText(text);
            check->setChecked(s.checked);
        } else if (auto* push = qobject_cast<QPushButton*>(w)) {
            push->setText(text);
        } else if (c.kind == ControlKind::Shape) {
            paint_fill(w, s.fill);
        }
    }
    const QSignalBlocker block(Fleet_CB);
    Fleet_CB->clear();
    for (const auto& item : view.items) Fleet_CB->addItem(fromCp1252(item));
    Fleet_CB->setCurrentIndex(view.itemIndex);
    fit_popup(Fleet_CB);
    setWindowTitle(fromCp1252(view.caption.empty() ? std::string("Fleet Particulars") : view.caption));
    const std::string since =
        view.multiView() ? std::string() : app_.comparison.text_of(app_.session, view[Ctl::uniq_name_lbl].text);
    movement_->setText(fromCp1252(since));
    movement_->setVisible(!since.empty());
    trail_line();
    setWindowButtons(static_cast<QPushButton*>(control(Ctl::c2c_btn)),
                     static_cast<QPushButton*>(control(view.multiView() ? Ctl::Button1 : Ctl::X_btn)));
}

void TFleet_Data_FM::adjust_formsize() {
    // Until the window is first shown, its children do not tell their
    // layouts that a text changed: the sizes are worked out afresh, so that
    // the window is placed beside the fleet with the size it shows.
    ensurePolished();
    for (QLayout* l : findChildren<QLayout*>()) l->invalidate();
    content_->layout()->activate();
    fit_trail_line();
    setFixedSize(fitted_size(content_->sizeHint()));
    if (isVisible()) keep_on_screen();
}

// The boxes' own size, or as much of their height as the screen leaves
// (its frame aside), with room for the scroll bar beside them.
QSize TFleet_Data_FM::fitted_size(QSize content) const {
    const int frame = frameGeometry().height() - geometry().height();
    const int room = available_area(this).height() - frame;
    if (content.height() <= room) return content;
    return {content.width() + scroll_->verticalScrollBar()->sizeHint().width(), std::max(room, 1)};
}

QRect TFleet_Data_FM::frame_rect() const {
    const QSize frame = frameGeometry().size() - geometry().size();
    return {frameGeometry().topLeft(), minimumSize() + frame};
}

// Grown by "&Full" or a change of view, the window stays wholly on the
// screen, and beside the fleet where there is room.
void TFleet_Data_FM::keep_on_screen() {
    move(keep_beside(frame_rect(), available_area(this), object_).topLeft());
}

void TFleet_Data_FM::trail_line() {
    const TMap_FM* map = app_.map();
    const std::vector<TrailPoint>* trail = nullptr;
    try {
        if (map && !view.multiView()) trail = map->trail_shown(view[Ctl::uniq_name_lbl].text);
    } catch (const std::exception& e) {
        app_.prompter.error(e.what());
    }
    // Wrapped between turns only, never inside a turn's label or place.
    QStringList turns;
    if (trail) turns = fromCp1252(trail_text(*map->trails(), *trail)).split(QStringLiteral("; "));
    for (QString& turn : turns) turn.replace(u' ', QChar::Nbsp);
    trail_->setText(turns.join(QStringLiteral("; ")));
    trail_->setVisible(trail != nullptr);
}

// The line takes the width the boxes take, and the height its text needs there.
void TFleet_Data_FM::fit_trail_line() {
    if (trail_->isHidden()) return;
    const QMargins margins = content_->layout()->contentsMargins();
    trail_->setFixedHeight(trail_->heightForWidth(content_->sizeHint().width() - margins.left() - margins.right()));
    content_->layout()->invalidate();
    content_->layout()->activate();
}

void TFleet_Data_FM::show_trail() {
    trail_line();
    adjust_formsize();
}

void TFleet_Data_FM::focusList() {
    if (Panel1->isVisible()) Fleet_CB->setFocus();
}

void TFleet_Data_FM::show_fleet(int g, bool group) {
    app_.run([&] { view.open_fleet(app_.session, g, group, app_.commands.reports(), app_.prompter); });
    sync();
    adjust_formsize();
}

void TFleet_Data_FM::place_beside(QPoint object, int bottom) {
    object_ = object;
    adjust_formsize();
    const QSize size = frame_rect().size();
    int top = object.y() - 25;
    if (top + size.height() > bottom) top = object.y() - size.height();
    int left = object.x() + 25;
    const QRect area = available_area(this);
    if (area.right() < left + size.width()) left = object.x() - size.width() - 20;
    move(keep_beside(QRect(QPoint(left, top), size), area, object).topLeft());
}

void TFleet_Data_FM::highlight_route() {
    TMap_FM* map = app_.map();
    if (!map || !map->routesShown()) return;
    map->undo_route_highlight();
    const int warp = view.warp & 0xFF;
    if (warp == 0) return;
    const int row = convert_pos2id(app_.session, view.groupFirstRow + view.itemIndex, app_.prompter);
    if (row == 0) return;
    map->highlight_route(to_int_def(app_.session.fleets.cell(col::Owner, row), 0), row, warp);
}

void TFleet_Data_FM::Fleet_CBChange(int index) {
    if (Fleet_CB->itemText(index).isEmpty()) return;
    const bool multi = view.multiView();
    app_.run([&] { view.choose(app_.session, index, app_.commands.reports(), app_.prompter); });
    sync();
    if (!multi) app_.run([this] { highlight_route(); });
    adjust_formsize();
}

void TFleet_Data_FM::one_fleet_btnClick() {
    app_.run([this] { view.one_fleet(app_.session, app_.commands.reports(), app_.prompter); });
    sync();
    app_.run([this] { highlight_route(); });
    adjust_formsize();
    Fleet_CB->setFocus();
}

void TFleet_Data_FM::mfleets_btnClick() {
    TMap_FM* map = app_.map();
    if (map && map->routesShown()) app_.run([map] { map->undo_route_highlight(); });
    app_.run([this] { view.change2multi(app_.session); });
    sync();
    adjust_formsize();
    focusList();
}

void TFleet_Data_FM::Full_btnClick() {
    view.full();
    sync();
    adjust_formsize();
    if (isVisible()) focusList();
}

void TFleet_Data_FM::c2c_btnClick() {
    auto* edit = static_cast<QLineEdit*>(control(Ctl::c2c_ed));
    edit->setText(fromCp1252(view[Ctl::uniq_name_lbl].text));
    edit->selectAll();
    app_.clipboard.setText(edit->text());
    focusList();
}

void TFleet_Data_FM::draw_fm_fleet_data(bool multi) {
    TMap_FM* map = app_.map();
    if (!map) return;
    app_.run([&] {
        const ParticularsView::ScannerEntry e = view.scanner_entry(app_.session, multi);
        map->Draw_And_Add_Fleet(e.name, e.nonPenetrating, e.owner, e.penetrating);
        map->switch_ranges_on();
    });
    focusList();
}

// The fleet scanner window opens with this fleet and its ranges, ready to apply.
void TFleet_Data_FM::Draw_btnRightClick() {
    if (TMap_FM* map = app_.map()) map->switch_ranges_on();
    TOther_Scanner_FM* scanners = app_.fleetScanner();
    if (!scanners) return;
    const auto text = [this](Ctl id) { return fromCp1252(std::string(left(view[id].text, kCellLimit))); };
    scanners->show(text(Ctl::uniq_name_lbl), text(Ctl::np_scan_lbl), text(Ctl::pen_scan_lbl));
}

void TFleet_Data_FM::activated() {
    activatedSinceShown_ = true;
    adjust_formsize();  // the frame round it is known once it is shown
    focusList();
}

bool TFleet_Data_FM::event(QEvent* e) {
    if (e->type() == QEvent::Hide) activatedSinceShown_ = false;
    // It closes as soon as it loses the focus, once it has had it.
    if (e->type() == QEvent::WindowDeactivate && isVisible() && activatedSinceShown_) hide();
    return ToolWindow::event(e);
}

}  // namespace trevanor
