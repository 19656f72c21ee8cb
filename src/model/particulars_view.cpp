#include "particulars_view.h"

#include <algorithm>
#include <stdexcept>

#include "locate.h"
#include "players.h"
#include "report_format.h"
#include "scanner_marks.h"

namespace trevanor {

namespace {
constexpr ColorValue kWhite = 0xFFFFFF, kBlack = 0;

// A control as the window starts: caption, hint (shown when given) and whether
// it is shown and enabled.
struct Initial {
    Ctl id;
    const char* text;
    const char* hint;
    bool shown, enabled;
};

const Initial kInitial[] = {
    {Ctl::sel_lbl, "Select:", "", true, true},
    {Ctl::c2c_ed, "", "", false, true},
    {Ctl::voyage_grbx, " Voyage param.", "", true, true},
    {Ctl::cargo_GrBx, "Cargo", "", true, true},
    {Ctl::Full_btn, "&Full", "", true, false},
    {Ctl::mfleets_btn, "&M-Fleet", "", true, false},
    {Ctl::c2c_btn, "C&2C", "Copy current fleet name (unique) to Clipboard", true, true},
    {Ctl::X_btn, "&X", "Close", true, true},
    {Ctl::uniq_name_lbl, "", "", false, true},
    {Ctl::More_GrBx, "More info", "", false, true},
    {Ctl::Bevel7, "", "* values may vary from real ones, but cannot be less the given.", false, true},
    {Ctl::incorrect_lbl, "*values may not be accurate",
     "* values may vary from real ones, but cannot be less the given (note: PRT nor LRT scanner modifiers never "
     "apply in report file)",
     false, true},
    {Ctl::autoexpand_chb, "&Autoexpand", "", true, true},
    {Ctl::Draw_btn, "D", "Draw scanners range", true, true},
    {Ctl::multi_grbx, "Fleets of ", "", false, true},
    {Ctl::fleet_partic_grbx, "Full/Partial Particulars", "", true, true},
    {Ctl::m_draw_btn, "D", "Draw scanners range", true, true},
    {Ctl::multi_cargo_grbx, "Cargo", "", true, true},
    {Ctl::one_fleet_btn, "&1-Fleet", "", true, true},
    {Ctl::Button1, "&X", "Close", true, true},
    {Ctl::m_default_chb, "Set as &default", "", true, true},
};
// Each control at the place its Ctl value gives.
constexpr bool in_order(const std::array<ParticularsView::Control, kControlCount>& list) {
    for (std::size_t i = 0; i < list.size(); ++i)
        if (static_cast<std::size_t>(list[i].id) != i) return false;
    return true;
}
}  // namespace

const std::array<ParticularsView::Control, kControlCount>& ParticularsView::controls() {
    using K = ControlKind;
    static constexpr std::array<Control, kControlCount> list = {{
        {Ctl::Panel1, "Panel1", K::Panel, std::nullopt},
        {Ctl::sel_lbl, "sel_lbl", K::Label, Ctl::Panel1},
        {Ctl::Fleet_CB, "Fleet_CB", K::List, Ctl::Panel1},
        {Ctl::c2c_ed, "c2c_ed", K::Edit, Ctl::Panel1},
        {Ctl::GroupBox1, "GroupBox1", K::Box, std::nullopt},
        {Ctl::pos_lbl, "pos_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::color_shp, "color_shp", K::Shape, Ctl::GroupBox1},
        {Ctl::o_unarmed_lbl, "o_unarmed_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::o_scout_lbl, "o_scout_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::o_warship_lbl, "o_warship_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::o_bomber_lbl, "o_bomber_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::o_utility_lbl, "o_utility_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::o_total_lbl, "o_total_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::o_mass_lbl, "o_mass_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::voyage_grbx, "voyage_grbx", K::Box, Ctl::GroupBox1},
        {Ctl::warp_lbl, "warp_lbl", K::Label, Ctl::voyage_grbx},
        {Ctl::course_lbl, "course_lbl", K::Label, Ctl::voyage_grbx},
        {Ctl::cargo_GrBx, "cargo_GrBx", K::Box, Ctl::GroupBox1},
        {Ctl::Iron_lbl, "Iron_lbl", K::Label, Ctl::cargo_GrBx},
        {Ctl::boran_lbl, "boran_lbl", K::Label, Ctl::cargo_GrBx},
        {Ctl::Germ_lbl, "Germ_lbl", K::Label, Ctl::cargo_GrBx},
        {Ctl::pop_lbl, "pop_lbl", K::Label, Ctl::cargo_GrBx},
        {Ctl::total_cargo_lbl, "total_cargo_lbl", K::Label, Ctl::cargo_GrBx},
        {Ctl::Full_btn, "Full_btn", K::Button, Ctl::GroupBox1},
        {Ctl::mfleets_btn, "mfleets_btn", K::Button, Ctl::GroupBox1},
        {Ctl::c2c_btn, "c2c_btn", K::Button, Ctl::GroupBox1},
        {Ctl::X_btn, "X_btn", K::Button, Ctl::GroupBox1},
        {Ctl::uniq_name_lbl, "uniq_name_lbl", K::Label, Ctl::GroupBox1},
        {Ctl::More_GrBx, "More_GrBx", K::Box, std::nullopt},
        {Ctl::task_lbl, "task_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::dest_lbl, "dest_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::ETA_lbl, "ETA_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::Fuel_lbl, "Fuel_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::cloak_lbl, "cloak_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::np_scan_lbl, "np_scan_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::pen_scan_lbl, "pen_scan_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::sweep_lbl, "sweep_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::mining_lbl, "mining_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::mlaying_lbl, "mlaying_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::terra_lbl, "terra_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::Bevel7, "Bevel7", K::Bevel, Ctl::More_GrBx},
        {Ctl::incorrect_lbl, "incorrect_lbl", K::Label, Ctl::More_GrBx},
        {Ctl::autoexpand_chb, "autoexpand_chb", K::Check, Ctl::More_GrBx},
        {Ctl::Draw_btn, "Draw_btn", K::Button, Ctl::More_GrBx},
        {Ctl::multi_grbx, "multi_grbx", K::Box, std::nullopt},
        {Ctl::m_pos_lbl, "m_pos_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_color_shp, "m_color_shp", K::Shape, Ctl::multi_grbx},
        {Ctl::m_fleet_no_lbl, "m_fleet_no_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_shipno_lbl, "m_shipno_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_unarmed_lbl, "m_unarmed_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_scout_lbl, "m_scout_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_warship_lbl, "m_warship_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_bomber_lbl, "m_bomber_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_util_lbl, "m_util_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_mass_lbl, "m_mass_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::m_fuel_lbl, "m_fuel_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::aster_lbl, "aster_lbl", K::Label, Ctl::multi_grbx},
        {Ctl::fleet_partic_grbx, "fleet_partic_grbx", K::Box, Ctl::multi_grbx},
        {Ctl::m_scan_lbl, "m_scan_lbl", K::Label, Ctl::fleet_partic_grbx},
        {Ctl::m_penscan_lbl, "m_penscan_lbl", K::Label, Ctl::fleet_partic_grbx},
        {Ctl::m_mining_lbl, "m_mining_lbl", K::Label, Ctl::fleet_partic_grbx},
        {Ctl::m_terra_lbl, "m_terra_lbl", K::Label, Ctl::fleet_partic_grbx},
        {Ctl::m_sweep_lbl, "m_sweep_lbl", K::Label, Ctl::fleet_partic_grbx},
        {Ctl::m_minelaying_lbl, "m_minelaying_lbl", K::Label, Ctl::fleet_partic_grbx},
        {Ctl::m_draw_btn, "m_draw_btn", K::Button, Ctl::fleet_partic_grbx},
        {Ctl::multi_cargo_grbx, "multi_cargo_grbx", K::Box, Ctl::multi_grbx},
        {Ctl::m_iron_lbl, "m_iron_lbl", K::Label, Ctl::multi_cargo_grbx},
        {Ctl::m_boran_lbl, "m_boran_lbl", K::Label, Ctl::multi_cargo_grbx},
        {Ctl::m_germ_lbl, "m_germ_lbl", K::Label, Ctl::multi_cargo_grbx},
        {Ctl::m_pop_lbl, "m_pop_lbl", K::Label, Ctl::multi_cargo_grbx},
        {Ctl::m_cargo_tot_lbl, "m_cargo_tot_lbl", K::Label, Ctl::multi_cargo_grbx},
        {Ctl::one_fleet_btn, "one_fleet_btn", K::Button, Ctl::multi_grbx},
        {Ctl::Button1, "Button1", K::Button, Ctl::multi_grbx},
        {Ctl::m_default_chb, "m_default_chb", K::Check, Ctl::multi_grbx},
    }};
    static_assert(in_order(list), "the table lists the controls in the order of Ctl");
    return list;
}

ParticularsView::ParticularsView() : states_(kControlCount) {
    for (const Initial& i : kInitial) {
        ControlState& c = (*this)[i.id];
        c.text = i.text;
        c.hint = i.hint;
        c.hintShown = *i.hint != '\0';
        c.shown = i.shown;
        c.enabled = i.enabled;
    }
}

ControlState& ParticularsView::operator[](Ctl c) { return states_[static_cast<std::size_t>(c)]; }

const ControlState& ParticularsView::operator[](Ctl c) const { return states_[static_cast<std::size_t>(c)]; }

bool ParticularsView::visible(Ctl c) const {
    const auto parent = controls()[static_cast<std::size_t>(c)].parent;
    return (*this)[c].shown && (!parent || visible(*parent));
}

void ParticularsView::set(Ctl c, const std::string& text) { (*this)[c].text = text; }

void ParticularsView::single_layout() {
    (*this)[Ctl::More_GrBx].shown = false;
    (*this)[Ctl::GroupBox1].shown = true;
    (*this)[Ctl::multi_grbx].shown = false;
    caption = "Fleet Particulars (single fleet)";
}

void ParticularsView::open_fleet(Session& s, int g, bool group, FleetReportReader& reports, Prompter& prompter) {
    single_layout();
    if (!group) {
        get_fleet_particulars(s, g, 0, false, 0, reports, prompter);
        return;
    }
    items = spot_names(s, spot_of(s, g));
    itemIndex = 0;
    groupFirstRow = g;
    get_fleet_particulars(s, g, 0, (*this)[Ctl::m_default_chb].checked, static_cast<int>(items.size()), reports,
                          prompter);
}

void ParticularsView::get_fleet_particulars(Session& s, int firstRow, int offset, bool multiDefault, int count,
                                            FleetReportReader& reports, Prompter& prompter) {
    const int r = firstRow + offset;
    FleetParticulars p = fleet_figures(s, r);
    ControlState& pos = (*this)[Ctl::pos_lbl];
    pos.text = p.position;
    pos.font = p.atPlanet ? kWhite : kBlack;
    pos.hint = p.atPlanet ? p.positionHint : std::string();
    pos.hintShown = p.atPlanet;
    (*this)[Ctl::color_shp].fill = p.ownerColor;
    (*this)[Ctl::color_shp].hint = p.ownerName;
    (*this)[Ctl::color_shp].hintShown = true;
    if (count < 2) {
        (*this)[Ctl::Panel1].shown = false;
        (*this)[Ctl::mfleets_btn].enabled = false;
    } else {
        (*this)[Ctl::mfleets_btn].enabled = true;
        itemIndex = offset;
        if (multiDefault) {
            change2multi(s);
            return;
        }
        (*this)[Ctl::Panel1].shown = true;
        set(Ctl::sel_lbl, "Select (" + std::to_string(count) + "):");
    }
    set(Ctl::GroupBox1, p.name);
    (*this)[Ctl::Fleet_CB].hint = p.name;
    (*this)[Ctl::Fleet_CB].hintShown = true;
    set(Ctl::uniq_name_lbl, p.uniqueName);
    const std::pair<Ctl, const std::string*> figures[] = {
        {Ctl::o_total_lbl, &p.ships},     {Ctl::o_unarmed_lbl, &p.unarmed}, {Ctl::o_scout_lbl, &p.scout},
        {Ctl::o_warship_lbl, &p.warship}, {Ctl::o_bomber_lbl, &p.bomber},   {Ctl::o_utility_lbl, &p.utility},
        {Ctl::o_mass_lbl, &p.mass},       {Ctl::warp_lbl, &p.warp}};
    for (const auto& [name, text] : figures) set(name, *text);
    warp = warp_of(s.fleetsByPos.cell(col::Warp, r));
    show_details(s, r, p, reports, prompter);
}

void ParticularsView::show_details(Session& s, int r, FleetParticulars& p, FleetReportReader& reports,
                                   Prompter& prompter) {
    add_fleet_details(s, r, p, reports, prompter);
    if (!p.details) return;
    const FleetParticulars::Details& d = *p.details;
    (*this)[Ctl::Bevel7].shown = (*this)[Ctl::incorrect_lbl].shown = false;
    set(Ctl::Full_btn, d.fullCaption);
    set(Ctl::More_GrBx, d.moreCaption);
    if (d.fullData) show_full_data(d);
    else show_partial_data(d);
}

void ParticularsView::show_full_data(const FleetParticulars::Details& d) {
    (*this)[Ctl::cargo_GrBx].shown = true;
    const std::pair<Ctl, const std::string*> cargo[] = {
        {Ctl::Iron_lbl, &d.iron}, {Ctl::boran_lbl, &d.boran}, {Ctl::Germ_lbl, &d.germ}, {Ctl::pop_lbl, &d.pop},
        {Ctl::total_cargo_lbl, &d.totalCargo}};
    for (const auto& [name, text] : cargo) set(name, *text);
    (*this)[Ctl::Full_btn].enabled = true;
    if ((*this)[Ctl::autoexpand_chb].checked) full();
    set(Ctl::course_lbl, d.course);
    if (!d.more) {
        (*this)[Ctl::Full_btn].enabled = false;
        return;
    }
    const auto& m = *d.more;
    ControlState& dest = (*this)[Ctl::dest_lbl];
    dest.text = m.destination;
    dest.font = m.destinationColor;
    dest.hint = m.distanceHint;
    dest.hintShown = !m.distanceHint.empty();
    const std::pair<Ctl, const std::string*> more[] = {
        {Ctl::ETA_lbl, &m.eta},         {Ctl::task_lbl, &m.task},         {Ctl::mining_lbl, &m.mining},
        {Ctl::sweep_lbl, &m.sweep},     {Ctl::mlaying_lbl, &m.minelaying}, {Ctl::pen_scan_lbl, &m.penScan},
        {Ctl::np_scan_lbl, &m.scan},    {Ctl::cloak_lbl, &m.cloak},       {Ctl::terra_lbl, &m.terra},
        {Ctl::Fuel_lbl, &m.fuel}};
    for (const auto& [name, text] : more) set(name, *text);
    (*this)[Ctl::Draw_btn].enabled = m.drawEnabled;
}

void ParticularsView::show_partial_data(const FleetParticulars::Details& d) {
    const auto& m = *d.more;
    (*this)[Ctl::cargo_GrBx].shown = false;
    set(Ctl::cloak_lbl, m.cloak);
    (*this)[Ctl::Bevel7].shown = (*this)[Ctl::incorrect_lbl].shown = d.accuracyNote;
    ControlState& dest = (*this)[Ctl::dest_lbl];
    dest.text = "?";
    dest.font = kBlack;
    dest.hintShown = false;
    const std::pair<Ctl, const std::string*> more[] = {
        {Ctl::ETA_lbl, &m.eta},         {Ctl::task_lbl, &m.task},       {Ctl::sweep_lbl, &m.sweep},
        {Ctl::mining_lbl, &m.mining},   {Ctl::mlaying_lbl, &m.minelaying}, {Ctl::pen_scan_lbl, &m.penScan},
        {Ctl::np_scan_lbl, &m.scan},    {Ctl::terra_lbl, &m.terra},     {Ctl::Fuel_lbl, &m.fuel}};
    for (const auto& [name, text] : more) set(name, *text);
    (*this)[Ctl::Draw_btn].enabled = m.drawEnabled;
    (*this)[Ctl::Full_btn].enabled = true;
    if ((*this)[Ctl::autoexpand_chb].checked) full();
    set(Ctl::course_lbl, d.course);
}

void ParticularsView::full() {
    (*this)[Ctl::More_GrBx].shown = true;
    (*this)[Ctl::Full_btn].enabled = false;
}

void ParticularsView::change2multi(const Session& s) {
    const int n = static_cast<int>(items.size());
    const MultiTotals sums = multifleet(s, groupFirstRow, n);  // before anything changes
    caption = "Fleet Particulars (multi-fleets)";
    savedIndex = itemIndex;
    savedItems = items;
    totals = sums;
    items = group_owners(s, totals);
    itemIndex = 0;
    (*this)[Ctl::Panel1].shown = items.size() != 1;
    if (items.size() != 1) set(Ctl::sel_lbl, "Select (" + std::to_string(items.size()) + "):");
    (*this)[Ctl::GroupBox1].shown = false;
    (*this)[Ctl::multi_grbx].shown = true;
    (*this)[Ctl::More_GrBx].shown = false;
    get_multifleets_particular(s, items.empty() ? std::string() : items[0]);
    (*this)[Ctl::Fleet_CB].hint = items.empty() ? std::string() : items[0];
}

void ParticularsView::one_fleet(Session& s, FleetReportReader& reports, Prompter& prompter) {
    (*this)[Ctl::GroupBox1].shown = true;
    (*this)[Ctl::multi_grbx].shown = false;
    items = savedItems;
    itemIndex = savedIndex;
    get_fleet_particulars(s, groupFirstRow, savedIndex, false, static_cast<int>(savedItems.size()), reports, prompter);
    caption = "Fleet Particulars (single fleet)";
    (*this)[Ctl::Fleet_CB].hint = itemIndex >= 0 && itemIndex < static_cast<int>(items.size()) ? items[itemIndex] : "";
}

void ParticularsView::choose(Session& s, int index, FleetReportReader& reports, Prompter& prompter) {
    if (index < 0 || index >= static_cast<int>(items.size()) || items[static_cast<std::size_t>(index)].empty()) return;
    itemIndex = index;
    if (multiView()) {
        get_multifleets_particular(s, items[static_cast<std::size_t>(index)]);
        (*this)[Ctl::Fleet_CB].hint = items[static_cast<std::size_t>(index)];
        return;
    }
    get_fleet_particulars(s, groupFirstRow, index, false, static_cast<int>(items.size()), reports, prompter);
}

void ParticularsView::get_multifleets_particular(const Session& s, const std::string& raceName) {
    const GroupParticulars g = read_group_particulars(s, totals, raceName);
    set(Ctl::multi_grbx, g.caption);
    (*this)[Ctl::m_color_shp].fill = g.color;
    (*this)[Ctl::m_color_shp].hint = g.colorHint;
    (*this)[Ctl::m_color_shp].hintShown = true;
    const ControlState pos = (*this)[Ctl::pos_lbl];
    ControlState& mpos = (*this)[Ctl::m_pos_lbl];
    mpos.text = pos.text;
    mpos.hint = pos.hint;
    mpos.hintShown = pos.hintShown;
    mpos.font = pos.font;
    const std::pair<Ctl, const std::string*> figures[] = {
        {Ctl::m_unarmed_lbl, &g.unarmed}, {Ctl::m_warship_lbl, &g.warship}, {Ctl::m_scout_lbl, &g.scout},
        {Ctl::m_util_lbl, &g.utility},    {Ctl::m_bomber_lbl, &g.bomber},   {Ctl::m_fleet_no_lbl, &g.fleets},
        {Ctl::m_shipno_lbl, &g.ships},    {Ctl::m_mass_lbl, &g.mass},       {Ctl::fleet_partic_grbx, &g.particularsCaption},
        {Ctl::aster_lbl, &g.note},        {Ctl::m_fuel_lbl, &g.fuel},       {Ctl::m_scan_lbl, &g.scan},
        {Ctl::m_penscan_lbl, &g.penScan}, {Ctl::m_mining_lbl, &g.mining},   {Ctl::m_terra_lbl, &g.terra},
        {Ctl::m_sweep_lbl, &g.sweep},     {Ctl::m_minelaying_lbl, &g.minelaying}};
    for (const auto& [name, text] : figures) set(name, *text);
    (*this)[Ctl::multi_cargo_grbx].shown = g.cargoShown;
    if (g.cargoShown) {
        const std::pair<Ctl, const std::string*> cargo[] = {{Ctl::m_iron_lbl, &g.iron},
                                                                    {Ctl::m_boran_lbl, &g.boran},
                                                                    {Ctl::m_germ_lbl, &g.germ},
                                                                    {Ctl::m_pop_lbl, &g.pop},
                                                                    {Ctl::m_cargo_tot_lbl, &g.totalCargo}};
        for (const auto& [name, text] : cargo) set(name, *text);
    }
    (*this)[Ctl::m_draw_btn].enabled = g.drawEnabled;
}

ParticularsView::ScannerEntry ParticularsView::scanner_entry(const Session& s, bool multi) const {
    const auto& v = *this;
    if (!multi)
        return {v[Ctl::uniq_name_lbl].text, shown_range(v[Ctl::np_scan_lbl].text), 0, shown_range(v[Ctl::pen_scan_lbl].text)};
    const std::string& race = v[Ctl::m_color_shp].hint;
    return {compound_entry_name(race, v[Ctl::m_pos_lbl].text), shown_range(v[Ctl::m_scan_lbl].text),
            player_index_of(s, race), shown_range(v[Ctl::m_penscan_lbl].text)};
}

}  // namespace trevanor
