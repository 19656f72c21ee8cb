#pragma once
// Watches the files the open turn was read from. The game writes a new
// turn's reports one after the other, so a change is told only once every
// file has stayed as it is (size and modification time) for a quiet while;
// a file replaced rather than rewritten is watched again under its name.

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "model/turn_reads.h"

namespace trevanor {

class NewTurnWatcher : public QObject {
public:
    // `written` is called once the files have changed and settled, with the
    // time the last of them was written.
    explicit NewTurnWatcher(std::function<void(const QDateTime& written)> written);

    // Watches the files of `reads` as they are now; a turn not read whole
    // is not watched.
    void watch(const TurnReads& reads);
    void stop();
    // How long every file must stay unchanged (2 s unless a test sets less).
    void setQuietTime(int milliseconds) { settle_.setInterval(milliseconds); }

private:
    struct FileState {
        QString path;
        qint64 size = -1;
        QDateTime modified;
        bool operator==(const FileState&) const = default;
    };
    std::vector<FileState> states() const;
    void changed();
    void settled();

    std::function<void(const QDateTime&)> written_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QStringList paths_;
    std::vector<FileState> read_;     // as they were when read
    std::vector<FileState> waiting_;  // as they were at the last look while changing
};

}  // namespace trevanor
