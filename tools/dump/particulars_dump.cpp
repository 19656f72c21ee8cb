#include "particulars_dump.h"

#include <sstream>

#include "model/locate.h"
#include "model/numbers.h"
#include "model/particulars_view.h"

namespace trevanor {

namespace {

// The box or panel at the top of a control's parents.
Ctl top_of(Ctl id) {
    while (const auto parent = ParticularsView::controls()[static_cast<std::size_t>(id)].parent) id = *parent;
    return id;
}

bool is_button(ControlKind kind) { return kind == ControlKind::Button || kind == ControlKind::Check; }

std::string colour_text(const std::optional<ColorValue>& c) { return c ? std::to_string(*c) : std::string(); }

// The controls of the view shown: labels and boxes first, then the buttons.
void print_view(std::ostringstream& out, const ParticularsView& v) {
    const auto inView = [&](Ctl id) {
        const Ctl top = top_of(id);
        return top == Ctl::Panel1 || (v.multiView() ? top == Ctl::multi_grbx : top == Ctl::GroupBox1 || top == Ctl::More_GrBx);
    };
    for (const bool buttons : {false, true})
        for (const auto& c : ParticularsView::controls()) {
            if (!inView(c.id) || is_button(c.kind) != buttons) continue;
            const ControlState& s = v[c.id];
            std::string text = buttons ? (s.enabled ? "enabled" : "disabled") : s.text;
            if (c.kind == ControlKind::List) text = v.itemIndex >= 0 && v.itemIndex < static_cast<int>(v.items.size())
                                                        ? v.items[static_cast<std::size_t>(v.itemIndex)]
                                                        : std::string();
            const std::string colour = colour_text(c.kind == ControlKind::Shape ? s.fill : s.font);
            out << c.name << '\t' << text << '\t' << colour << '\t' << (s.hintShown ? s.hint : "") << '\t'
                << (v.visible(c.id) ? "shown" : "hidden") << '\n';
        }
}

// As the window shows the fleet when it is chosen in the list after a right
// click on its spot (or, alone there, right after the click).
void one_fleet(Model& model, Prompter& prompter, const std::string& name, std::ostringstream& out) {
    const int r = sorted_row_named(model.session, name);
    if (r == 0) {
        prompter.message("No fleet named " + name + ".");
        return;
    }
    const SpotRows spot = spot_of(model.session, r);
    ParticularsView view;
    view.open_fleet(model.session, spot.first, spot.group(), model.commands.reports(), prompter);
    if (spot.group()) view.choose(model.session, r - spot.first, model.commands.reports(), prompter);
    print_view(out, view);
}

// The spot a click at map coordinates X, Y finds.
void group(Model& model, Prompter& prompter, const std::string& x, const std::string& y, std::ostringstream& out) {
    const auto px = parse_int32(x), py = parse_int32(y);
    const int g = px && py ? fleet_near(model.session, *px, *py) : 0;
    if (g == 0) {
        prompter.message("No fleet at " + x + ", " + y + ".");
        return;
    }
    ParticularsView view;
    view.open_fleet(model.session, g, true, model.commands.reports(), prompter);
    view.change2multi(model.session);
    for (int k = 0; k < static_cast<int>(view.items.size()); ++k) {
        view.choose(model.session, k, model.commands.reports(), prompter);
        out << "= " << view.items[static_cast<std::size_t>(k)] << '\n';
        print_view(out, view);
    }
}

}  // namespace

std::string dump_particulars(Model& model, Prompter& prompter, const std::vector<ParticularsRequest>& requests) {
    std::ostringstream out;
    for (const ParticularsRequest& request : requests) {
        std::string words;
        for (const auto& w : request) words += (words.empty() ? "" : " ") + w;
        out << "# " << words << '\n';
        try {
            if (request[0] == "--particulars") one_fleet(model, prompter, request[1], out);
            else group(model, prompter, request[1], request[2], out);
        } catch (const std::exception& e) {
            prompter.error(e.what());
        }
    }
    return out.str();
}

}  // namespace trevanor
