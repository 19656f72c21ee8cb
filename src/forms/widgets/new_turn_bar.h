#pragma once
// The bar that tells of reports the game has written since the open turn
// was read: "New reports written at HH:MM — Rea&d them", and while some
// allies' reports are still as they were, how many of the turn's files were
// written so far after the time: "(2 of 4 files so far)". A click (or its key) reads them; it is no box that stops the player.

#include <QDateTime>
#include <QPushButton>
#include <functional>

namespace trevanor {

// What the game has written since the open turn was read.
struct NewTurnNews {
    QDateTime written;     // when the last of the files was written
    int filesWritten = 0;  // files of the turn written since
    int files = 0;         // files read for the turn
    int alliesWaited = 0;  // allies' reports not written yet
};

class NewTurnBar : public QPushButton {
public:
    NewTurnBar(QWidget* parent, std::function<void()> read);
    // Shows the bar for the reports written.
    void tell(const NewTurnNews& news);
    static QString text_of(const NewTurnNews& news);
};

}  // namespace trevanor
