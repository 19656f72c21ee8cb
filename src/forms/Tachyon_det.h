#pragma once
// The tachyon window: how well scanners see a cloaked enemy ship when the
// scanning ship carries tachyon detectors; "&Apply" hands the efficiency to
// the map, which draws the stored scanner ranges at that percentage.

#include "forms/widgets/spin_field.h"
#include "forms/widgets/tool_window.h"

class QLabel;
class QPushButton;

namespace trevanor {

class TTachyon_FM : public ToolWindow {
public:
    explicit TTachyon_FM(Application& app);

    void calc_eff();
    void Apply_BTNClick();

    SpinField* TD_no_ME;
    SpinField* Cloacking_perc_ME;
    QLabel* reduc_lbl;
    QLabel* Eff_lbl;
    QPushButton* Apply_BTN;
    QPushButton* Close_BTN;

protected:
    // Every opening starts from one detector.
    void activated() override;
};

}  // namespace trevanor
