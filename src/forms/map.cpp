#include "forms/map.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "forms/application.h"
#include "platform/cp1252.h"

namespace trevanor {

TMap_FM::TMap_FM(Application& app) : MaximizedWindow(app, "TMap_FM", "Map") {
    setMinimumSize(320, 200);
    auto* layout = new QFormLayout(this);
    Route_race_CB = new QComboBox(this);
    Route_race_CB->setObjectName(QStringLiteral("Route_race_CB"));
    layout->addRow(QStringLiteral("Include:"), Route_race_CB);
    Race_CB = new QComboBox(this);
    Race_CB->setObjectName(QStringLiteral("Race_CB"));
    auto* raceLabel = new QLabel(QStringLiteral("Own race:"), this);
    layout->addRow(raceLabel, Race_CB);
    raceLabel->hide();
    Race_CB->hide();
    Fleet_CBx = new QComboBox(this);
    Fleet_CBx->setObjectName(QStringLiteral("Fleet_CBx"));
    layout->addRow(QStringLiteral("Fleet:"), Fleet_CBx);
}

void TMap_FM::afterCreate() {
    Map_extent = 0;
    refresh_route_race();
    refresh();
}

void TMap_FM::refresh_route_race() {
    Route_race_CB->clear();
    for (const auto& item : app_.core.route_race_items()) Route_race_CB->addItem(fromCp1252(item));
    Route_race_CB->setCurrentIndex(0);
}

void TMap_FM::refresh() {
    const SortedList& list = app_.session.mapFleetList;
    if (shownFleets_ == list.revision()) return;
    QStringList items;
    for (const auto& item : list.items()) items << fromCp1252(item);
    Fleet_CBx->clear();
    Fleet_CBx->addItems(items);
    shownFleets_ = list.revision();
}

}  // namespace trevanor
