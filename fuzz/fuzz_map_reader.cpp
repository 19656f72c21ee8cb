// The MAP reader over any bytes: the input is a MAP file, read through the
// main window's command as the program reads it. A read either completes or
// stops with one of the model's errors; reading the same file again gives the
// same planet table and the same place lists (the stale names of the first
// read leave the lists).

#include <cstdint>

#include "fuzz_support.h"

using namespace trevanor;

namespace {

struct Snapshot {
    std::vector<std::vector<std::string>> planets;
    std::vector<std::string> places1, places2;
};

Snapshot snapshot(const Session& s) { return {s.planets.rows(), s.placeList1.items(), s.placeList2.items()}; }

// Reads the MAP; false when the read stopped with one of the model's errors.
bool read(Model& model, const std::string& path) {
    try {
        model.commands.read_MAP_file(path);
        return true;
    } catch (const FileError&) {
    } catch (const TableLimitError&) {
    } catch (const SettingsReadError&) {
    } catch (const RegistryFatal&) {
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = fuzz::write_file("GAME.MAP", data, size);
    fuzz::ModelRig rig;
    Model& model = rig.model;
    model.commands.FormCreate();

    const bool first = read(model, path);
    const Snapshot once = snapshot(model.session);
    const Session& s = model.session;
    if (first) {
        if (s.Map_name != "GAME.MAP") fuzz::broken("the MAP name is not the file's name");
        // One row per line (at least the one empty data row), the heading first.
        if (s.planets.rowCount() < 2) fuzz::broken("the planet table lost its empty data row");
        // " unknown" and one name per planet row.
        if (s.placeList1.size() != static_cast<std::size_t>(s.planets.rowCount() - 1) + 1 &&
            !(s.planets.rowCount() == 2 && s.placeList1.size() == 1))
            fuzz::broken("the place list does not hold one name per planet");
    }
    const bool second = read(model, path);
    if (first != second) fuzz::broken("the second read of the same MAP ended differently");
    const Snapshot twice = snapshot(model.session);
    if (twice.planets != once.planets) fuzz::broken("the second read of the same MAP gave other planets");
    if (twice.places1 != once.places1 || twice.places2 != once.places2)
        fuzz::broken("the second read of the same MAP left other place lists");
    return 0;
}
