#pragma once
// What the fleet particulars window shows, control by control: its two views
// (one fleet of a spot, or the totals of one owner's fleets there), the list
// that switches between the fleets or the owners, the "More info" expansion,
// and every text, colour, hint and visibility. The window mirrors this state
// on its controls; the dump tool prints it.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "fleet_report_reader.h"
#include "particulars.h"
#include "prompter.h"
#include "session.h"

namespace trevanor {

enum class ControlKind { Panel, Box, Label, Shape, List, Edit, Button, Check, Bevel };

// The window's controls, in its order; each is named in the window as here.
enum class Ctl {
    Panel1, sel_lbl, Fleet_CB, c2c_ed, GroupBox1, pos_lbl, color_shp, o_unarmed_lbl, o_scout_lbl, o_warship_lbl,
    o_bomber_lbl, o_utility_lbl, o_total_lbl, o_mass_lbl, voyage_grbx, warp_lbl, course_lbl, cargo_GrBx, Iron_lbl,
    boran_lbl, Germ_lbl, pop_lbl, total_cargo_lbl, Full_btn, mfleets_btn, c2c_btn, X_btn, uniq_name_lbl, More_GrBx,
    task_lbl, dest_lbl, ETA_lbl, Fuel_lbl, cloak_lbl, np_scan_lbl, pen_scan_lbl, sweep_lbl, mining_lbl, mlaying_lbl,
    terra_lbl, Bevel7, incorrect_lbl, autoexpand_chb, Draw_btn, multi_grbx, m_pos_lbl, m_color_shp, m_fleet_no_lbl,
    m_shipno_lbl, m_unarmed_lbl, m_scout_lbl, m_warship_lbl, m_bomber_lbl, m_util_lbl, m_mass_lbl, m_fuel_lbl,
    aster_lbl, fleet_partic_grbx, m_scan_lbl, m_penscan_lbl, m_mining_lbl, m_terra_lbl, m_sweep_lbl,
    m_minelaying_lbl, m_draw_btn, multi_cargo_grbx, m_iron_lbl, m_boran_lbl, m_germ_lbl, m_pop_lbl, m_cargo_tot_lbl,
    one_fleet_btn, Button1, m_default_chb
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Ctl::m_default_chb) + 1;

struct ControlState {
    std::string text;                  // caption or text; a list's current item
    std::optional<ColorValue> font;    // a font colour of its own; none: the default
    std::optional<ColorValue> fill;    // a shape's colour
    std::string hint;
    bool hintShown = false;
    bool shown = true;
    bool enabled = true;
    bool checked = false;
};

class ParticularsView {
public:
    struct Control {
        Ctl id;
        const char* name;           // its object name in the window
        ControlKind kind;
        std::optional<Ctl> parent;  // the box or panel it stands in; none for the window
    };
    // Every control, in the window's order (that of Ctl).
    static const std::array<Control, kControlCount>& controls();

    ParticularsView();

    ControlState& operator[](Ctl c);
    const ControlState& operator[](Ctl c) const;
    // Shown, and so are the boxes it stands in.
    bool visible(Ctl c) const;
    bool multiView() const { return (*this)[Ctl::multi_grbx].shown; }
    // "Set as &default": a right click on a group opens the totals at once.
    bool multiDefault() const { return (*this)[Ctl::m_default_chb].checked; }

    std::string caption;                    // the window's
    std::vector<std::string> items;         // Fleet_CB: unique names, or owners in the multi view
    int itemIndex = -1;
    int groupFirstRow = 0;                  // the first fleet of the group shown (position-sorted row)
    int warp = 0;                           // the fleet shown: its warp as a number, 11 for "SG"
    std::vector<std::string> savedItems;    // the single view's list while the multi view shows
    int savedIndex = 0;
    MultiTotals totals{};

    // A right click on a fleet: the single view of position-sorted row g,
    // or of the first fleet of the group that starts there.
    void open_fleet(Session& s, int g, bool group, FleetReportReader& reports, Prompter& prompter);
    // The fleet at offset `offset` of a group of `count` (0 or 1: a single fleet).
    void get_fleet_particulars(Session& s, int firstRow, int offset, bool multiDefault, int count,
                               FleetReportReader& reports, Prompter& prompter);
    // The totals per owner of the group ("&M-Fleet"). Throws the conversion
    // error of a damaged cell before anything changes.
    void change2multi(const Session& s);
    // Back to the fleets of the group, the one chosen before ("&1-Fleet").
    void one_fleet(Session& s, FleetReportReader& reports, Prompter& prompter);
    // A choice in the list: a fleet, or an owner in the multi view.
    void choose(Session& s, int index, FleetReportReader& reports, Prompter& prompter);
    // "&Full" / "Mo&re": the "More info" box shown.
    void full();
    // What "D" stores and draws: the scanner ranges of the fleet shown, under
    // its unique name (owner 0), or in the multi view the best ones of the
    // owner shown at the spot, under the compound name of owner and spot.
    struct ScannerEntry {
        std::string name;
        int nonPenetrating = 0, owner = 0, penetrating = 0;
    };
    ScannerEntry scanner_entry(const Session& s, bool multi) const;
    // The totals of one owner.
    void get_multifleets_particular(const Session& s, const std::string& raceName);

private:
    void single_layout();
    void show_details(Session& s, int r, FleetParticulars& p, FleetReportReader& reports, Prompter& prompter);
    void show_full_data(const FleetParticulars::Details& d);
    void show_partial_data(const FleetParticulars::Details& d);
    void set(Ctl c, const std::string& text);
    std::vector<ControlState> states_;
};

}  // namespace trevanor
