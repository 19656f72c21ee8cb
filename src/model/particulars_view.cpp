#include "particulars_view.h"

#include <algorithm>
#include <stdexcept>

#include "locate.h"
#include "players.h"
#include "report_format.h"

namespace trevanor {

namespace {
constexpr ColorValue kWhite = 0xFFFFFF, kBlack = 0;

// A control as the window starts: caption, hint (shown when given) and whether
// it is shown and enabled.
struct Initial {
    const char* name;
    const char* text;
    const char* hint;
    bool shown, enabled;
};

const Initial kInitial[] = {
    {"sel_lbl", "Select:", "", true, true},
    {"c2c_ed", "", "", false, true},
    {"voyage_grbx", " Voyage param.", "", true, true},
    {"cargo_GrBx", "Cargo", "", true, true},
    {"Full_btn", "&Full", "", true, false},
    {"mfleets_btn", "&M-Fleet", "", true, false},
    {"c2c_btn", "C&2C", "Copy current fleet name (unique) to Clipboard", true, true},
    {"X_btn", "&X", "Close", true, true},
    {"uniq_name_lbl", "", "", false, true},
    {"More_GrBx", "More info", "", false, true},
    {"Bevel7", "", "* values may vary from real ones, but cannot be less the given.", false, true},
    {"incorrect_lbl", "*values may not be accurate",
     "* values may vary from real ones, but cannot be less the given (note: PRT nor LRT scanner modifiers never "
     "apply in report file)",
     false, true},
    {"autoexpand_chb", "&Autoexpand", "", true, true},
    {"Draw_btn", "D", "Draw scanners range", true, true},
    {"multi_grbx", "Fleets of ", "", false, true},
    {"fleet_partic_grbx", "Full/Partial Particulars", "", true, true},
    {"m_draw_btn", "D", "Draw scanners range", true, true},
    {"multi_cargo_grbx", "Cargo", "", true, true},
    {"one_fleet_btn", "&1-Fleet", "", true, true},
    {"Button1", "&X", "Close", true, true},
    {"m_default_chb", "Set as &default", "", true, true},
};
}  // namespace

const std::vector<ParticularsView::Control>& ParticularsView::controls() {
    using K = ControlKind;
    static const std::vector<Control> list = {
        {"Panel1", K::Panel, ""},           {"sel_lbl", K::Label, "Panel1"},      {"Fleet_CB", K::List, "Panel1"},
        {"c2c_ed", K::Edit, "Panel1"},      {"GroupBox1", K::Box, ""},            {"pos_lbl", K::Label, "GroupBox1"},
        {"color_shp", K::Shape, "GroupBox1"}, {"o_unarmed_lbl", K::Label, "GroupBox1"},
        {"o_scout_lbl", K::Label, "GroupBox1"}, {"o_warship_lbl", K::Label, "GroupBox1"},
        {"o_bomber_lbl", K::Label, "GroupBox1"}, {"o_utility_lbl", K::Label, "GroupBox1"},
        {"o_total_lbl", K::Label, "GroupBox1"}, {"o_mass_lbl", K::Label, "GroupBox1"},
        {"voyage_grbx", K::Box, "GroupBox1"}, {"warp_lbl", K::Label, "voyage_grbx"},
        {"course_lbl", K::Label, "voyage_grbx"}, {"cargo_GrBx", K::Box, "GroupBox1"},
        {"Iron_lbl", K::Label, "cargo_GrBx"}, {"boran_lbl", K::Label, "cargo_GrBx"},
        {"Germ_lbl", K::Label, "cargo_GrBx"}, {"pop_lbl", K::Label, "cargo_GrBx"},
        {"total_cargo_lbl", K::Label, "cargo_GrBx"}, {"Full_btn", K::Button, "GroupBox1"},
        {"mfleets_btn", K::Button, "GroupBox1"}, {"c2c_btn", K::Button, "GroupBox1"},
        {"X_btn", K::Button, "GroupBox1"},   {"uniq_name_lbl", K::Label, "GroupBox1"},
        {"More_GrBx", K::Box, ""},           {"task_lbl", K::Label, "More_GrBx"},
        {"dest_lbl", K::Label, "More_GrBx"}, {"ETA_lbl", K::Label, "More_GrBx"},
        {"Fuel_lbl", K::Label, "More_GrBx"}, {"cloak_lbl", K::Label, "More_GrBx"},
        {"np_scan_lbl", K::Label, "More_GrBx"}, {"pen_scan_lbl", K::Label, "More_GrBx"},
        {"sweep_lbl", K::Label, "More_GrBx"}, {"mining_lbl", K::Label, "More_GrBx"},
        {"mlaying_lbl", K::Label, "More_GrBx"}, {"terra_lbl", K::Label, "More_GrBx"},
        {"Bevel7", K::Bevel, "More_GrBx"},   {"incorrect_lbl", K::Label, "More_GrBx"},
        {"autoexpand_chb", K::Check, "More_GrBx"}, {"Draw_btn", K::Button, "More_GrBx"},
        {"multi_grbx", K::Box, ""},          {"m_pos_lbl", K::Label, "multi_grbx"},
        {"m_color_shp", K::Shape, "multi_grbx"}, {"m_fleet_no_lbl", K::Label, "multi_grbx"},
        {"m_shipno_lbl", K::Label, "multi_grbx"}, {"m_unarmed_lbl", K::Label, "multi_grbx"},
        {"m_scout_lbl", K::Label, "multi_grbx"}, {"m_warship_lbl", K::Label, "multi_grbx"},
        {"m_bomber_lbl", K::Label, "multi_grbx"}, {"m_util_lbl", K::Label, "multi_grbx"},
        {"m_mass_lbl", K::Label, "multi_grbx"}, {"m_fuel_lbl", K::Label, "multi_grbx"},
        {"aster_lbl", K::Label, "multi_grbx"}, {"fleet_partic_grbx", K::Box, "multi_grbx"},
        {"m_scan_lbl", K::Label, "fleet_partic_grbx"}, {"m_penscan_lbl", K::Label, "fleet_partic_grbx"},
        {"m_mining_lbl", K::Label, "fleet_partic_grbx"}, {"m_terra_lbl", K::Label, "fleet_partic_grbx"},
        {"m_sweep_lbl", K::Label, "fleet_partic_grbx"}, {"m_minelaying_lbl", K::Label, "fleet_partic_grbx"},
        {"m_draw_btn", K::Button, "fleet_partic_grbx"}, {"multi_cargo_grbx", K::Box, "multi_grbx"},
        {"m_iron_lbl", K::Label, "multi_cargo_grbx"}, {"m_boran_lbl", K::Label, "multi_cargo_grbx"},
        {"m_germ_lbl", K::Label, "multi_cargo_grbx"}, {"m_pop_lbl", K::Label, "multi_cargo_grbx"},
        {"m_cargo_tot_lbl", K::Label, "multi_cargo_grbx"}, {"one_fleet_btn", K::Button, "multi_grbx"},
        {"Button1", K::Button, "multi_grbx"}, {"m_default_chb", K::Check, "multi_grbx"},
    };
    return list;
}

ParticularsView::ParticularsView() : states_(controls().size()) {
    for (const Initial& i : kInitial) {
        ControlState& c = (*this)[i.name];
        c.text = i.text;
        c.hint = i.hint;
        c.hintShown = *i.hint != '\0';
        c.shown = i.shown;
        c.enabled = i.enabled;
    }
}

ControlState& ParticularsView::operator[](const std::string& name) {
    return const_cast<ControlState&>(static_cast<const ParticularsView&>(*this)[name]);
}

const ControlState& ParticularsView::operator[](const std::string& name) const {
    const auto& list = controls();
    for (std::size_t i = 0; i < list.size(); ++i)
        if (name == list[i].name) return states_[i];
    throw std::logic_error("no control named " + name);
}

bool ParticularsView::visible(const std::string& name) const {
    for (const Control& c : controls())
        if (name == c.name) return (*this)[name].shown && (*c.parent == '\0' || visible(c.parent));
    return false;
}

void ParticularsView::set(const char* name, const std::string& text) { (*this)[name].text = text; }

void ParticularsView::single_layout() {
    (*this)["More_GrBx"].shown = false;
    (*this)["GroupBox1"].shown = true;
    (*this)["multi_grbx"].shown = false;
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
    get_fleet_particulars(s, g, 0, (*this)["m_default_chb"].checked, static_cast<int>(items.size()), reports,
                          prompter);
}

void ParticularsView::get_fleet_particulars(Session& s, int firstRow, int offset, bool multiDefault, int count,
                                            FleetReportReader& reports, Prompter& prompter) {
    const int r = firstRow + offset;
    FleetParticulars p = fleet_figures(s, r);
    ControlState& pos = (*this)["pos_lbl"];
    pos.text = p.position;
    pos.font = p.atPlanet ? kWhite : kBlack;
    pos.hint = p.atPlanet ? p.positionHint : std::string();
    pos.hintShown = p.atPlanet;
    (*this)["color_shp"].fill = p.ownerColor;
    (*this)["color_shp"].hint = p.ownerName;
    (*this)["color_shp"].hintShown = true;
    if (count < 2) {
        (*this)["Panel1"].shown = false;
        (*this)["mfleets_btn"].enabled = false;
    } else {
        (*this)["mfleets_btn"].enabled = true;
        itemIndex = offset;
        if (multiDefault) {
            change2multi(s);
            return;
        }
        (*this)["Panel1"].shown = true;
        set("sel_lbl", "Select (" + std::to_string(count) + "):");
    }
    set("GroupBox1", p.name);
    (*this)["Fleet_CB"].hint = p.name;
    (*this)["Fleet_CB"].hintShown = true;
    set("uniq_name_lbl", p.uniqueName);
    const std::pair<const char*, const std::string*> figures[] = {
        {"o_total_lbl", &p.ships},     {"o_unarmed_lbl", &p.unarmed}, {"o_scout_lbl", &p.scout},
        {"o_warship_lbl", &p.warship}, {"o_bomber_lbl", &p.bomber},   {"o_utility_lbl", &p.utility},
        {"o_mass_lbl", &p.mass},       {"warp_lbl", &p.warp}};
    for (const auto& [name, text] : figures) set(name, *text);
    warp = warp_of(s.fleetsByPos.cell(col::Warp, r));
    show_details(s, r, p, reports, prompter);
}

void ParticularsView::show_details(Session& s, int r, FleetParticulars& p, FleetReportReader& reports,
                                   Prompter& prompter) {
    add_fleet_details(s, r, p, reports, prompter);
    if (!p.details) return;
    const FleetParticulars::Details& d = *p.details;
    (*this)["Bevel7"].shown = (*this)["incorrect_lbl"].shown = false;
    set("Full_btn", d.fullCaption);
    set("More_GrBx", d.moreCaption);
    if (d.fullData) show_full_data(d);
    else show_partial_data(d);
}

void ParticularsView::show_full_data(const FleetParticulars::Details& d) {
    (*this)["cargo_GrBx"].shown = true;
    const std::pair<const char*, const std::string*> cargo[] = {
        {"Iron_lbl", &d.iron}, {"boran_lbl", &d.boran}, {"Germ_lbl", &d.germ}, {"pop_lbl", &d.pop},
        {"total_cargo_lbl", &d.totalCargo}};
    for (const auto& [name, text] : cargo) set(name, *text);
    (*this)["Full_btn"].enabled = true;
    if ((*this)["autoexpand_chb"].checked) full();
    set("course_lbl", d.course);
    if (!d.more) {
        (*this)["Full_btn"].enabled = false;
        return;
    }
    const auto& m = *d.more;
    ControlState& dest = (*this)["dest_lbl"];
    dest.text = m.destination;
    dest.font = m.destinationColor;
    dest.hint = m.distanceHint;
    dest.hintShown = !m.distanceHint.empty();
    const std::pair<const char*, const std::string*> more[] = {
        {"ETA_lbl", &m.eta},         {"task_lbl", &m.task},         {"mining_lbl", &m.mining},
        {"sweep_lbl", &m.sweep},     {"mlaying_lbl", &m.minelaying}, {"pen_scan_lbl", &m.penScan},
        {"np_scan_lbl", &m.scan},    {"cloak_lbl", &m.cloak},       {"terra_lbl", &m.terra},
        {"Fuel_lbl", &m.fuel}};
    for (const auto& [name, text] : more) set(name, *text);
    (*this)["Draw_btn"].enabled = m.drawEnabled;
}

void ParticularsView::show_partial_data(const FleetParticulars::Details& d) {
    const auto& m = *d.more;
    (*this)["cargo_GrBx"].shown = false;
    set("cloak_lbl", m.cloak);
    (*this)["Bevel7"].shown = (*this)["incorrect_lbl"].shown = d.accuracyNote;
    ControlState& dest = (*this)["dest_lbl"];
    dest.text = "?";
    dest.font = kBlack;
    dest.hintShown = false;
    const std::pair<const char*, const std::string*> more[] = {
        {"ETA_lbl", &m.eta},         {"task_lbl", &m.task},       {"sweep_lbl", &m.sweep},
        {"mining_lbl", &m.mining},   {"mlaying_lbl", &m.minelaying}, {"pen_scan_lbl", &m.penScan},
        {"np_scan_lbl", &m.scan},    {"terra_lbl", &m.terra},     {"Fuel_lbl", &m.fuel}};
    for (const auto& [name, text] : more) set(name, *text);
    (*this)["Draw_btn"].enabled = m.drawEnabled;
    (*this)["Full_btn"].enabled = true;
    if ((*this)["autoexpand_chb"].checked) full();
    set("course_lbl", d.course);
}

void ParticularsView::full() {
    (*this)["More_GrBx"].shown = true;
    (*this)["Full_btn"].enabled = false;
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
    (*this)["Panel1"].shown = items.size() != 1;
    if (items.size() != 1) set("sel_lbl", "Select (" + std::to_string(items.size()) + "):");
    (*this)["GroupBox1"].shown = false;
    (*this)["multi_grbx"].shown = true;
    (*this)["More_GrBx"].shown = false;
    get_multifleets_particular(s, items.empty() ? std::string() : items[0]);
    (*this)["Fleet_CB"].hint = items.empty() ? std::string() : items[0];
}

void ParticularsView::one_fleet(Session& s, FleetReportReader& reports, Prompter& prompter) {
    (*this)["GroupBox1"].shown = true;
    (*this)["multi_grbx"].shown = false;
    items = savedItems;
    itemIndex = savedIndex;
    get_fleet_particulars(s, groupFirstRow, savedIndex, false, static_cast<int>(savedItems.size()), reports, prompter);
    caption = "Fleet Particulars (single fleet)";
    (*this)["Fleet_CB"].hint = itemIndex >= 0 && itemIndex < static_cast<int>(items.size()) ? items[itemIndex] : "";
}

void ParticularsView::choose(Session& s, int index, FleetReportReader& reports, Prompter& prompter) {
    if (index < 0 || index >= static_cast<int>(items.size()) || items[static_cast<std::size_t>(index)].empty()) return;
    itemIndex = index;
    if (multiView()) {
        get_multifleets_particular(s, items[static_cast<std::size_t>(index)]);
        (*this)["Fleet_CB"].hint = items[static_cast<std::size_t>(index)];
        return;
    }
    get_fleet_particulars(s, groupFirstRow, index, false, static_cast<int>(items.size()), reports, prompter);
}

void ParticularsView::get_multifleets_particular(const Session& s, const std::string& raceName) {
    const GroupParticulars g = trevanor::get_multifleets_particular(s, totals, raceName);
    set("multi_grbx", g.caption);
    (*this)["m_color_shp"].fill = g.color;
    (*this)["m_color_shp"].hint = g.colorHint;
    (*this)["m_color_shp"].hintShown = true;
    const ControlState pos = (*this)["pos_lbl"];
    ControlState& mpos = (*this)["m_pos_lbl"];
    mpos.text = pos.text;
    mpos.hint = pos.hint;
    mpos.hintShown = pos.hintShown;
    mpos.font = pos.font;
    const std::pair<const char*, const std::string*> figures[] = {
        {"m_unarmed_lbl", &g.unarmed}, {"m_warship_lbl", &g.warship}, {"m_scout_lbl", &g.scout},
        {"m_util_lbl", &g.utility},    {"m_bomber_lbl", &g.bomber},   {"m_fleet_no_lbl", &g.fleets},
        {"m_shipno_lbl", &g.ships},    {"m_mass_lbl", &g.mass},       {"fleet_partic_grbx", &g.particularsCaption},
        {"aster_lbl", &g.note},        {"m_fuel_lbl", &g.fuel},       {"m_scan_lbl", &g.scan},
        {"m_penscan_lbl", &g.penScan}, {"m_mining_lbl", &g.mining},   {"m_terra_lbl", &g.terra},
        {"m_sweep_lbl", &g.sweep},     {"m_minelaying_lbl", &g.minelaying}};
    for (const auto& [name, text] : figures) set(name, *text);
    (*this)["multi_cargo_grbx"].shown = g.cargoShown;
    if (g.cargoShown) {
        const std::pair<const char*, const std::string*> cargo[] = {{"m_iron_lbl", &g.iron},
                                                                    {"m_boran_lbl", &g.boran},
                                                                    {"m_germ_lbl", &g.germ},
                                                                    {"m_pop_lbl", &g.pop},
                                                                    {"m_cargo_tot_lbl", &g.totalCargo}};
        for (const auto& [name, text] : cargo) set(name, *text);
    }
    (*this)["m_draw_btn"].enabled = g.drawEnabled;
}

}  // namespace trevanor
