#include "app/new_turn_watcher.h"

#include <QFileInfo>

#include "platform/services.h"

namespace trevanor {

NewTurnWatcher::NewTurnWatcher(std::function<void(const QDateTime&)> written) : written_(std::move(written)) {
    settle_.setSingleShot(true);
    settle_.setInterval(2000);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { changed(); });
    connect(&settle_, &QTimer::timeout, this, [this] { settled(); });
}

void NewTurnWatcher::watch(const TurnReads& reads) {
    stop();
    if (!reads.complete()) return;
    paths_ << path_text(reads.map) << path_text(reads.firstReport);
    for (const AllyRead& ally : reads.allies) paths_ << path_text(ally.path);
    paths_.removeDuplicates();
    watcher_.addPaths(paths_);
    read_ = states();
}

void NewTurnWatcher::stop() {
    settle_.stop();
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    paths_.clear();
    read_.clear();
    waiting_.clear();
}

std::vector<NewTurnWatcher::FileState> NewTurnWatcher::states() const {
    std::vector<FileState> states;
    for (const QString& path : paths_) {
        const QFileInfo info(path);
        states.push_back(info.exists() ? FileState{path, info.size(), info.lastModified()} : FileState{path, -1, {}});
    }
    return states;
}

void NewTurnWatcher::changed() {
    waiting_ = states();
    settle_.start();  // again from the start at every change
}

void NewTurnWatcher::settled() {
    // A file written again since the last look, or not there (being
    // replaced), is still changing.
    const std::vector<FileState> now = states();
    const bool missing = std::any_of(now.begin(), now.end(), [](const FileState& f) { return f.size < 0; });
    if (now != waiting_ || missing) {
        waiting_ = now;
        settle_.start();
        return;
    }
    // Replaced files drop out of the watch: watch them again.
    for (const QString& path : paths_)
        if (!watcher_.files().contains(path)) watcher_.addPath(path);
    if (now == read_) return;  // written back as it was
    read_ = now;
    QDateTime last;
    for (const FileState& f : now) last = std::max(last, f.modified);
    written_(last);
}

}  // namespace trevanor
