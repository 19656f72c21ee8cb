// The first-report reader over any bytes, with what follows it: IDs and
// unique names, the position order, the players' names, the check against the
// planets and the fleet index. The MAP is the demo game's; the input is the
// first report. A read either completes or stops with one of the model's
// errors; a file that is not a fleet report changes nothing; after a
// complete read the position-sorted table holds the fleet table's rows in
// order, and the repair of an empty destination finds the fleet in both tables.

#include <cstdint>

#include "fuzz_support.h"

using namespace trevanor;

namespace {

// The demo MAP read once; each input starts from a copy.
const Session& map_read() {
    static const Session session = fuzz::demo_session(false);
    return session;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::write_file("GAME.F1", data, size);
    fuzz::ModelRig rig;
    Model& model = rig.model;
    model.session = map_read();
    Session& s = model.session;

    try {
        model.commands.reports().read(path);
    } catch (const FileError&) {
        // Not a fleet report: refused before anything changed.
        if (s.fleets.rows() != map_read().fleets.rows() || !s.First_report_path.empty())
            fuzz::broken("a refused report changed the fleet table");
        return 0;
    } catch (const TableLimitError&) {
        return 0;  // stopped with the rows read so far, nothing derived
    }
    fuzz::check_position_table(s, "the first report");
    for (int e = 1; e <= kTrailingEntry; ++e) {
        const FleetIndexEntry& entry = s.Fleet_index[static_cast<std::size_t>(e)];
        if (entry.First_row > entry.Last_row || entry.Last_row > s.fleets.lastRow())
            fuzz::broken("fleet index entry " + std::to_string(e) + " lies outside the fleet table");
    }
    for (int r = 1; r <= s.fleets.lastRow(); ++r) {
        if (!s.fleets.cell(col::Destination, r).empty()) continue;
        const std::string name = s.fleets.cell(col::Name, r);
        model.commands.reports().fix_empty_destination(name);
        if (s.fleets.cell(col::Destination, r) != "0.0")
            fuzz::broken("the repair of an empty destination missed the first such fleet");
        break;
    }
    return 0;
}
