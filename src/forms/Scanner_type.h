#pragma once
// The fleet scanner window ("Fleet Scanner Range"): the scanner types fitted
// to a fleet, the racial traits that change them, and the combined ranges,
// which "&Apply" draws on the map and stores in the scanner-range list.

#include <optional>

#include <QString>

#include "forms/widgets/spin_field.h"
#include "forms/widgets/tool_window.h"
#include "model/scanner_types.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace trevanor {

class TOther_Scanner_FM : public ToolWindow {
public:
    explicit TOther_Scanner_FM(Application& app);

    // Opened for one fleet with its ranges (from the particulars): the
    // window is shown and activated, then the fields and the fleet are set,
    // and "&Apply" has the focus.
    using ToolWindow::show;
    void show(const QString& fleet, const QString& nonPenetrating, const QString& penetrating);

    void FormActivate();
    void ScannerType_CBxChange();
    void ScannerType_CBxDblClick();
    void add_scanner_btnClick();
    // A double-click on entry `row` (from 0) of the fleet's scanners.
    void Fleet_scanners_ListDblClick(int row);
    void Clear_list_BTNClick();
    void JOAT_SDF_ChBClick();
    void HideOwn_ChBExit();
    void PfC_btnClick();
    void Apply_BTNClick();
    void calc_joat();
    void calc_fleet_range();
    // The map's fleet list, afresh.
    void copy_fleet_to_list();

    QComboBox* ScannerType_CBx;
    QLabel* NPSR_LBL;
    QLabel* PSR_LBL;
    QLabel* E_Tech_LBL;
    QLabel* P_TECH_LBL;
    QLabel* EL_TECH_LBL;
    QLabel* B_TECH_LBL;
    QCheckBox* SS_PRT_ChB;
    QPushButton* add_scanner_btn;
    QListWidget* Fleet_scanners_List;
    QPushButton* Clear_list_BTN;
    QComboBox* Fleet_CBx;
    QCheckBox* HideOwn_ChB;
    QPushButton* PfC_btn;
    QLineEdit* PfC_ed;
    QCheckBox* NAS_CBX;
    QGroupBox* JoAT_GB;
    QCheckBox* JOAT_SDF_ChB;
    SpinField* JOAT_Elec_ME;
    QLabel* NPSR_JOAT_LBL;
    QLabel* PSR_JOAT_LBL;
    QLineEdit* NPSR_ME;
    QLineEdit* PSR_ME;
    QPushButton* Recalc_bTN;
    QPushButton* Apply_BTN;
    QPushButton* Close_BTN;

protected:
    void activated() override { FormActivate(); }
    void hideEvent(QHideEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QWidget* buildTypePanel();
    QWidget* buildListPanel();
    QWidget* buildFleetPanel();
    QGroupBox* buildJoatGroup(QWidget* parent);
    QWidget* buildRangePanel();
    void connectControls();
    // Shows the fleets given, the one chosen kept when it is among them.
    void showFleets(const QStringList& fleets, const QString& chosen);

    Ranges joat_;  // the built-in JoAT scanner, worked out by calc_joat
    // The map's selected object as this opening last took it: the window
    // follows the map's selection only when it has changed since.
    std::optional<QString> mapSelection_;
};

}  // namespace trevanor
