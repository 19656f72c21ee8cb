#pragma once
// What the fleet particulars window shows, control by control: its two views
// (one fleet of a spot, or the totals of one owner's fleets there), the list
// that switches between the fleets or the owners, the "More info" expansion,
// and every text, colour, hint and visibility. The window mirrors this state
// on its controls; the dump tool prints it.

#include <optional>
#include <string>
#include <vector>

#include "fleet_report_reader.h"
#include "particulars.h"
#include "prompter.h"
#include "session.h"

namespace trevanor {

enum class ControlKind { Panel, Box, Label, Shape, List, Edit, Button, Check, Bevel };

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
        const char* name;
        ControlKind kind;
        const char* parent;  // the box or panel it stands in; "" for the window
    };
    // Every named control, in the window's order.
    static const std::vector<Control>& controls();

    ParticularsView();

    ControlState& operator[](const std::string& name);
    const ControlState& operator[](const std::string& name) const;
    // Shown, and so are the boxes it stands in.
    bool visible(const std::string& name) const;
    bool multiView() const { return (*this)["multi_grbx"].shown; }
    // "Set as &default": a right click on a group opens the totals at once.
    bool multiDefault() const { return (*this)["m_default_chb"].checked; }

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
    // The totals of one owner.
    void get_multifleets_particular(const Session& s, const std::string& raceName);

private:
    void single_layout();
    void show_details(Session& s, int r, FleetParticulars& p, FleetReportReader& reports, Prompter& prompter);
    void show_full_data(const FleetParticulars::Details& d);
    void show_partial_data(const FleetParticulars::Details& d);
    void set(const char* name, const std::string& text);
    std::vector<ControlState> states_;
};

}  // namespace trevanor
