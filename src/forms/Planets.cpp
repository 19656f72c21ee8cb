#include "forms/Planets.h"

#include <QHBoxLayout>

#include "forms/application.h"

namespace trevanor {

TPlanets_FM::TPlanets_FM(Application& app) : MaximizedWindow(app, "TPlanets_FM", "Planets") {
    setMinimumSize(320, 200);
    Plantet_GR = new TextGrid(app.session.planets, {30, 63, 56, 190}, false, this);
    Plantet_GR->setObjectName(QStringLiteral("Plantet_GR"));
    Plantet_GR->setMaximumWidth(364);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Plantet_GR);
    layout->setAlignment(Plantet_GR, Qt::AlignLeft);
}

}  // namespace trevanor
