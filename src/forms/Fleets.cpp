#include "forms/Fleets.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include "app/application.h"

namespace trevanor {

namespace {
const std::vector<int> kWidths = {230, 30, 31, 69, 62, 54, 31, 31, 29, 29, 29, 35, 25, 26, 28, 34,
                                  17,  30, 27, 71, 35, 40, 35, 28, 35, 35, 35, 35, 35, 26, 230};
}

TFleet_FM::TFleet_FM(Application& app) : MaximizedWindow(app, "TFleet_FM", "Fleets") {
    setMinimumSize(600, 400);
    resize(800, 500);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    Fleet_GR = new TextGrid(app.session.fleets, kWidths, true, PageControl1);
    Fleet_GR->setObjectName(QStringLiteral("Fleet_GR"));
    fleet_pos_sort_GR = new TextGrid(app.session.fleetsByPos, kWidths, true, PageControl1);
    fleet_pos_sort_GR->setObjectName(QStringLiteral("fleet_pos_sort_GR"));
    PageControl1->addTab(Fleet_GR, QStringLiteral("ID-sorted (Kelvra original)"));
    PageControl1->addTab(fleet_pos_sort_GR, QStringLiteral("Position-sorted"));
    PageControl1->setCurrentIndex(0);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(PageControl1);
}

}  // namespace trevanor
