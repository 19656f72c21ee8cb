#include "particulars_dump.h"

#include <map>
#include <sstream>

#include "model/particulars_view.h"

namespace trevanor {

namespace {

// The box or panel at the top of a control's parents.
std::string top_of(const std::string& name) {
    static const std::map<std::string, std::string> parents = [] {
        std::map<std::string, std::string> m;
        for (const auto& c : ParticularsView::controls()) m[c.name] = c.parent;
        return m;
    }();
    std::string at = name;
    while (!parents.at(at).empty()) at = parents.at(at);
    return at;
}

bool is_button(ControlKind kind) { return kind == ControlKind::Button || kind == ControlKind::Check; }

std::string colour_text(const std::optional<ColorValue>& c) { return c ? std::to_string(*c) : std::string(); }

// The controls of the view shown: labels and boxes first, then the buttons.
void print_view(std::ostringstream& out, const ParticularsView& v) {
    const auto inView = [&](const char* name) {
        const std::string top = top_of(name);
        return top == "Panel1" || (v.multiView() ? top == "multi_grbx" : top == "GroupBox1" || top == "More_GrBx");
    };
    for (const bool buttons : {false, true})
        for (const auto& c : ParticularsView::controls()) {
            if (!inView(c.name) || is_button(c.kind) != buttons) continue;
            const ControlState& s = v[c.name];
            const std::string text = buttons ? (s.enabled ? "enabled" : "disabled") : s.text;
            const std::string colour = colour_text(c.kind == ControlKind::Shape ? s.fill : s.font);
            out << c.name << '\t' << text << '\t' << colour << '\t' << (s.hintShown ? s.hint : "") << '\t'
                << (v.visible(c.name) ? "shown" : "hidden") << '\n';
        }
}

int row_named(const Session& s, const std::string& uniqueName) {
    for (int r = 1; r <= s.fleetsByPos.lastRow(); ++r)
        if (s.fleetsByPos.cell(col::UniqueName, r) == uniqueName) return r;
    return 0;
}

int row_at(const Session& s, const std::string& x, const std::string& y) {
    for (int r = 1; r <= s.fleetsByPos.lastRow(); ++r)
        if (s.fleetsByPos.cell(col::X, r) == x && s.fleetsByPos.cell(col::Y, r) == y) return r;
    return 0;
}

void one_fleet(Model& model, Prompter& prompter, const std::string& name, std::ostringstream& out) {
    const int r = row_named(model.session, name);
    if (r == 0) {
        prompter.message("No fleet named " + name + ".");
        return;
    }
    ParticularsView view;
    view.open_fleet(model.session, r, false, model.commands.reports(), prompter);
    print_view(out, view);
}

void group(Model& model, Prompter& prompter, const std::string& x, const std::string& y, std::ostringstream& out) {
    const int g = row_at(model.session, x, y);
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
