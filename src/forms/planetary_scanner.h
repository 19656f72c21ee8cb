#pragma once
// The planetary scanner window ("Planetary Scanner FM"): a planet's scanner
// range from the planetary scanner types, stored in the scanner-range list
// and drawn on the map with the other stored ranges.

#include <optional>

#include <QString>

#include "forms/widgets/tool_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace trevanor {

class TPlanetary_Scanner_FM : public ToolWindow {
public:
    explicit TPlanetary_Scanner_FM(Application& app);

    void FormActivate();
    // The chosen type's ranges and tech (also for "&No Advanced Scanner LRT" and "&Recalc").
    void Planetary_ScannerType_CBxChange();
    void Button1Click();
    void Button2Click();
    // Every planet's name, afresh.
    void copy_planet_to_list();

    QComboBox* Planetary_ScannerType_CBx;
    QLabel* NPSR_LBL;
    QLabel* PSR_LBL;
    QLabel* E_Tech_LBL;
    QLabel* EL_TECH_LBL;
    QLabel* B_TECH_LBL;
    QComboBox* Planet_CBx;
    QCheckBox* NAS_CBX;
    QLineEdit* NPSR_ME;
    QLineEdit* PSR_ME;
    QPushButton* Recalc_bTN;
    QPushButton* Button1;  // "&Apply"
    QPushButton* Button2;  // "&Close"

protected:
    void activated() override { FormActivate(); }
    void hideEvent(QHideEvent* e) override;

private:
    QWidget* buildTypePanel();
    QWidget* buildPlanetPanel();
    void connectControls();

    // The map's selected planet as this opening last took it (see FormActivate).
    std::optional<QString> mapSelection_;
};

}  // namespace trevanor
