#pragma once
// Watches the files the open turn was read from. The game writes a new
// turn's files one after the other, sometimes with pauses between them: a
// new turn is told once the first report's bytes differ from those read,
// and every file of the turn has then stayed as it is (size and
// modification time) for a quiet while. A report whose last line is cut is
// still being written: it is waited for. So is, for one more quiet while, a
// report without a line end at its end. Files written again with the bytes
// read are no new turn. A file replaced rather than rewritten is watched
// again under its name. Each later change of the files tells again, with how
// many of them have been written so far.

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "forms/widgets/new_turn_bar.h"
#include "model/turn_reads.h"

namespace trevanor {

class NewTurnWatcher : public QObject {
public:
    // `written` is called once the files have changed and settled.
    explicit NewTurnWatcher(std::function<void(const NewTurnNews&)> written);

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
    // Whether the reports as they are now make a whole new turn; false
    // while one is still being written, or the first report is as read.
    bool newTurnWritten();

    std::function<void(const NewTurnNews&)> written_;
    QFileSystemWatcher watcher_;
    QTimer settle_;
    QStringList paths_;               // the MAP, the first report, the allies' reports
    QString firstReport_;
    std::string firstReportKey_;      // the hash of the first report's bytes as read
    std::vector<FileState> read_;     // as they were when read
    std::vector<FileState> waiting_;  // as they were at the last look while changing
    std::vector<FileState> told_;     // as they were when last told
    bool waitedForLineEnd_ = false;   // one more quiet while was given to a report without one
};

}  // namespace trevanor
