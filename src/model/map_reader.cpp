#include "map_reader.h"

#include <algorithm>

#include "errors.h"
#include "files.h"
#include "own_race.h"
#include "report_format.h"

namespace trevanor {

MapReader::MapReader(Session& session, Settings& settings) : s_(session), settings_(settings) {}

std::string MapReader::read(const std::string& path) {
    s_.reads = {path, {}, {}, s_.reads.revision + 1};
    MainWindowState& m = s_.main;
    m.AutoloadlastMAP1.enabled = true;
    m.AddFleetfileF1.enabled = true;
    m.Map1.enabled = true;
    s_.Map_name = file_name_part(path);
    m.caption = s_.Map_name;
    // Nothing of another game stays: its races and its first report.
    s_.Players.fill(Player{});
    update_race_list(s_);
    s_.First_report_path.clear();

    read_planets(path);
    s_.No_map_yet = false;

    if (!settings_.load_players_fm_reg()) {
        for (int p = 1; p <= kPlayers; ++p)
            s_.Players[static_cast<std::size_t>(p)].Color = s_.Default_colors[static_cast<std::size_t>(p)];
        settings_.save_players_to_reg();
    }
    std::string report = settings_.fleetfile_read();
    return m.Fleetfile_autoload1.checked ? report : std::string();
}

void MapReader::read_planets(const std::string& path) {
    const std::string bytes = read_file_bytes(path);
    const std::vector<std::string_view> lines = split_lines(bytes);

    // A read that stopped before (too many lines) left planets behind: their
    // names leave the place lists again before the table starts afresh.
    if (s_.planetPlacesListed) {
        std::vector<std::string> stale;
        for (int r = 1; r <= s_.planets.lastRow(); ++r) stale.push_back(s_.planets.cell(planet_col::Name, r));
        s_.placeList1.removeEach(stale);
        s_.placeList2.removeEach(stale);
        s_.planetPlacesListed = false;
    }
    s_.planets.reset();

    auto heading = split_map_line(lines[0]);
    for (int c = 0; c < kPlanetColumns; ++c) s_.planets.setCell(c, 0, std::move(heading[static_cast<std::size_t>(c)]));

    const std::size_t read = std::min(lines.size(), static_cast<std::size_t>(TextTable::kMaxRows));
    std::vector<std::string> names;
    names.reserve(read);
    s_.planets.setRowCount(static_cast<int>(std::max<std::size_t>(read, 2)));
    for (std::size_t k = 1; k < read; ++k) {
        auto fields = split_map_line(lines[k]);
        names.push_back(fields[planet_col::Name]);
        auto& row = s_.planets.row(static_cast<int>(k));
        for (int c = 0; c < kPlanetColumns; ++c) row[static_cast<std::size_t>(c)] = std::move(fields[static_cast<std::size_t>(c)]);
    }
    s_.planetPlacesListed = !names.empty();
    s_.addPlaces(std::move(names));
    if (read < lines.size()) throw TableLimitError::forFile(path);
}

}  // namespace trevanor
