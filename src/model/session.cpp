#include "session.h"


namespace trevanor {

const ColorArray kDefaultColors = {
    0,        0x808000, 0x008000, 0x008080, 0x00FF00, 0x003F00, 0x00FFFF, 0x3F7FFF, 0xFFFF00,
    0xFF0000, 0xFF7F7F, 0x800000, 0xFF00FF, 0x800080, 0x7F7F7F, 0x0000FF, 0x000080,
};

Session::Session() {
    resetPlaceLists();
    resetScannerRanges();
}

void Session::resetScannerRanges() {
    scannerRanges.reset();
    const char* const headings[] = {"Fleet/Planet name", "NPS", " PS", "Fl/Pl"};
    for (int c = 0; c < 4; ++c) scannerRanges.setCell(c, 0, headings[c]);
}

void Session::resetWindowData() {
    planets.reset();
    fleets.reset();
    fleetsByPos.reset();
    resetScannerRanges();
    mapFleetList.clear();
    mapRaceText.clear();
    acceptedReportOwners.clear();
}

void Session::resetPlaceLists() {
    placeList1.clear();
    placeList2.clear();
    placeList1.add(" unknown");
    placeList2.add(" unknown");
}

void Session::addPlaces(std::vector<std::string> texts) {
    sort_ci(texts);
    addSortedPlaces(std::move(texts));
}

void Session::addSortedPlaces(std::vector<std::string> texts) {
    placeList1.addSorted(texts);
    placeList2.addSorted(std::move(texts));
}

void Session::listFleets(std::vector<std::string> uniqueNames) {
    // One sort serves both lists: the same mark before every name keeps the order.
    sort_ci(uniqueNames);
    std::vector<std::string> places;
    places.reserve(uniqueNames.size());
    for (const auto& name : uniqueNames) places.push_back("!" + name);
    addSortedPlaces(std::move(places));
    mapFleetList.addSorted(std::move(uniqueNames));
}

void Session::unlistFleets() {
    mapFleetList.clear();
    resetPlaceLists();
    if (!planetPlacesListed) return;
    std::vector<std::string> names;
    for (int r = 1; r <= planets.lastRow(); ++r) names.push_back(planets.cell(planet_col::Name, r));
    addPlaces(std::move(names));
}

}  // namespace trevanor
