#include "forms/Planets.h"

#include <QHBoxLayout>

#include "app/application.h"

namespace trevanor {

TPlanets_FM::TPlanets_FM(Application& app) : MaximizedWindow(app, "TPlanets_FM", "Planets") {
    setMinimumSize(320, 200);
    Plantet_GR = new TextGrid(app.session.planets, {30, 63, 56, 190}, false, this);
    Plantet_GR->setObjectName(QStringLiteral("Plantet_GR"));
    Plantet_GR->capWidth(364);  // wider only where the columns need it
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    // At the left, as wide as its columns (up to the window); the rest stays empty.
    layout->addWidget(Plantet_GR, 1);
    layout->addStretch(0);
}

}  // namespace trevanor
