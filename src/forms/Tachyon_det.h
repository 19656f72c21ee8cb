#pragma once
// The tachyon window: how well scanners see a cloaked enemy ship when the
// scanning ship carries tachyon detectors; "&Apply" hands the efficiency to
// the map, which draws the stored scanner ranges at that percentage.

#include "forms/widgets/tool_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace trevanor {

class TTachyon_FM : public ToolWindow {
public:
    explicit TTachyon_FM(Application& app);

    void calc_eff();
    void Apply_BTNClick();

    QLineEdit* TD_no_ME;
    QScrollBar* UpDown1;
    QLineEdit* Cloacking_perc_ME;
    QScrollBar* UpDown2;
    QLabel* reduc_lbl;
    QLabel* Eff_lbl;
    QPushButton* Apply_BTN;
    QPushButton* Close_BTN;

protected:
    // Every opening starts from one detector.
    void activated() override;
};

}  // namespace trevanor
