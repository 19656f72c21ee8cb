#include "forms/FleetYear.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace trevanor {

TFleetYear_FM::TFleetYear_FM() : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TFleetYear_FM"));
    setWindowTitle(QStringLiteral("Fleet Year"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Enter year of fleet position:"), this));
    fleetYear_ME = new QLineEdit(this);
    fleetYear_ME->setObjectName(QStringLiteral("fleetYear_ME"));
    fleetYear_ME->setInputMask(QStringLiteral("2999;_"));  // a fixed 2, then three required digits
    layout->addWidget(fleetYear_ME);
    YearOK_BTN = new QPushButton(QStringLiteral("OK"), this);
    YearOK_BTN->setObjectName(QStringLiteral("YearOK_BTN"));
    YearOK_BTN->setDefault(true);
    YearOK_BTN->setEnabled(false);
    layout->addWidget(YearOK_BTN);
    setFixedSize(sizeHint());
}

}  // namespace trevanor
