#pragma once
// The first step of "Compare with earlier reports…" once turns of the game
// are kept: the kept turns, newest first, each with its date, its fleets and
// its allies' reports, and "Other files…" for reports chosen by hand.

#include <QDialog>
#include <vector>

#include "model/game_history.h"

class QListWidget;

namespace trevanor {

class KeptTurnChooser : public QDialog {
public:
    // `turns` newest first.
    KeptTurnChooser(QWidget* parent, const std::vector<KeptTurn>& turns);

    enum class Choice { Cancel, Turn, OtherFiles };
    // Shows the dialog and waits; `turn` is the chosen turn's index for Choice::Turn.
    Choice choose(std::size_t& turn);

    QListWidget* KeptTurns_LB;

private:
    Choice choice_ = Choice::Cancel;
};

// "2026-11-26 09:30 — 217 fleets, 2 ally reports"
QString kept_turn_text(const KeptTurn& turn);

}  // namespace trevanor
