#pragma once
// The fleet-year prompt: defined with its controls, never opened by the program.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace trevanor {

class TFleetYear_FM : public QDialog {
public:
    TFleetYear_FM();
    QLineEdit* fleetYear_ME;
    QPushButton* YearOK_BTN;
};

}  // namespace trevanor
