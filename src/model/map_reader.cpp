#include <algorithm>

#include "core.h"
#include "errors.h"
#include "file_lines.h"
#include "text_util.h"

namespace trevanor {

std::vector<std::string> cut_at_tabs(std::string_view line, int cuts) {
    std::vector<std::string> pieces;
    pieces.reserve(static_cast<std::size_t>(cuts) + 1);
    std::size_t start = 0;
    for (int i = 0; i < cuts; ++i) {
        const std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) {
            pieces.emplace_back();
            continue;
        }
        pieces.emplace_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    pieces.emplace_back(line.substr(start));
    return pieces;
}

Core::Core(Session& session, Prompter& prompter, Settings& settings, WindowHooks& hooks)
    : s_(session), prompter_(prompter), settings_(settings), hooks_(hooks) {}

void Core::read_MAP_file(const std::string& path) {
    s_.main.AutoloadlastMAP1.enabled = true;
    s_.main.AddFleetfileF1.enabled = true;
    s_.main.Map1.enabled = true;
    s_.Map_name = file_name_part(path);
    s_.main.caption = s_.Map_name;
    // Nothing of another game stays: its races and its first report.
    s_.Players.fill(Player{});
    update_race_list();
    s_.First_report_path.clear();

    const std::string bytes = read_file_bytes(path);
    const std::vector<std::string_view> lines = split_lines(bytes);

    // A read that stopped before (too many lines) left planets behind: their
    // names leave the place lists again before the table starts afresh.
    if (s_.planetPlacesListed) {
        std::vector<std::string> stale;
        for (int r = 1; r <= s_.planets.lastRow(); ++r) stale.push_back(s_.planets.cell(3, r));
        s_.placeList1.removeEach(stale);
        s_.placeList2.removeEach(stale);
        s_.planetPlacesListed = false;
    }
    s_.planets.reset();

    auto heading = cut_at_tabs(lines[0], 3);
    for (int c = 0; c < kPlanetColumns; ++c) s_.planets.setCell(c, 0, std::move(heading[static_cast<std::size_t>(c)]));

    const std::size_t read = std::min(lines.size(), static_cast<std::size_t>(TextTable::kMaxRows));
    std::vector<std::string> names;
    names.reserve(read);
    s_.planets.setRowCount(static_cast<int>(std::max<std::size_t>(read, 2)));
    for (std::size_t k = 1; k < read; ++k) {
        auto fields = cut_at_tabs(lines[k], 3);
        names.push_back(fields[3]);
        auto& row = s_.planets.row(static_cast<int>(k));
        for (int c = 0; c < kPlanetColumns; ++c) row[static_cast<std::size_t>(c)] = std::move(fields[static_cast<std::size_t>(c)]);
    }
    s_.planetPlacesListed = !names.empty();
    s_.addPlaces(std::move(names));
    if (read < lines.size()) throw TableLimitError::forFile(path);

    s_.No_map_yet = false;

    if (!settings_.load_players_fm_reg()) {
        for (int p = 1; p <= kPlayers; ++p)
            s_.Players[static_cast<std::size_t>(p)].Color = s_.Default_colors[static_cast<std::size_t>(p)];
        settings_.save_players_to_reg();
    }

    const std::string report = settings_.fleetfile_read();
    if (!s_.main.Fleetfile_autoload1.checked) return;
    if (!file_exists(report)) {
        prompter_.message("Autoload fleet file failed. File \"" + shown_path(report) + "\" does not exist.");
        return;
    }
    read_fleet_file(report);
    const bool ownRaceStored = settings_.load_own_race();
    update_race_list();
    if (!ownRaceStored) hooks_.own_race_showmodal(0);
    s_.First_report_pending = false;
    s_.main.Fleetfile_autoload1.enabled = true;
}

}  // namespace trevanor
