#pragma once
// The MAP file reader: the universe of a game, one planet per line, into the
// planet table and the calculator's place lists, with the player colours of
// this MAP from the settings.

#include <string>

#include "prompter.h"
#include "session.h"
#include "settings.h"

namespace trevanor {

class MapReader {
public:
    MapReader(Session& session, Settings& settings);

    // Reads the MAP file; returns the path of the first report to read with
    // it (empty when its autoload is off). A file that cannot be read, or has
    // more lines than a table holds, stops with what was read so far.
    std::string read(const std::string& path);

private:
    // The planet lines into the planet table and their names into the place lists.
    void read_planets(const std::string& path);

    Session& s_;
    Settings& settings_;
};

}  // namespace trevanor
