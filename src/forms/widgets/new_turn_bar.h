#pragma once
// The bar that tells of reports the game has written since the open turn
// was read: "New reports written at HH:MM — &Read them". A click (or its
// key) reads them; it is no box that stops the player.

#include <QDateTime>
#include <QPushButton>
#include <functional>

namespace trevanor {

class NewTurnBar : public QPushButton {
public:
    NewTurnBar(QWidget* parent, std::function<void()> read);
    // Shows the bar for reports written at `written`.
    void tell(const QDateTime& written);
};

}  // namespace trevanor
