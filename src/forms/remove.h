#pragma once
// The stored scanner-range list ("List of scanners"): every range applied
// from the scanner windows and the particulars, drawn on the map while its
// switch is on. A double-click removes an entry; "C&lear all" removes them all.

#include "forms/widgets/tool_window.h"

class QLabel;
class QPushButton;

namespace trevanor {

class TextGrid;

class TRemove_FM : public ToolWindow {
public:
    explicit TRemove_FM(Application& app);

    // Shows the list as it is now.
    void refresh();
    // A double-click on data row r (from 1).
    void remove_row(int r);
    void Clear_BTNClick();
    void Close_BTNClick();

    QLabel* Label1;
    TextGrid* memo_grid;
    QPushButton* Clear_BTN;
    QPushButton* Close_BTN;

protected:
    void activated() override { refresh(); }
};

}  // namespace trevanor
