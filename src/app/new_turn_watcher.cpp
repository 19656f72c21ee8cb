#include "app/new_turn_watcher.h"

#include <QFileInfo>

#include "model/files.h"
#include "model/report_format.h"
#include "model/turn_description.h"
#include "platform/services.h"

namespace trevanor {

namespace {

// The bytes of a file as they are now; none when it cannot be read.
std::string bytes_now(const QString& path) {
    try {
        return read_file_bytes(path_bytes(path));
    } catch (const std::exception&) {
        return {};
    }
}

}  // namespace

NewTurnWatcher::NewTurnWatcher(std::function<void(const NewTurnNews&)> written) : written_(std::move(written)) {
    settle_.setSingleShot(true);
    settle_.setInterval(2000);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { changed(); });
    connect(&settle_, &QTimer::timeout, this, [this] { settled(); });
}

void NewTurnWatcher::watch(const TurnReads& reads) {
    stop();
    if (!reads.complete()) return;
    firstReport_ = path_text(reads.firstReport);
    paths_ << path_text(reads.map) << firstReport_;
    for (const AllyRead& ally : reads.allies) paths_ << path_text(ally.path);
    paths_.removeDuplicates();
    watcher_.addPaths(paths_);
    read_ = told_ = states();
    firstReportKey_ = content_key({bytes_now(firstReport_)});
}

void NewTurnWatcher::stop() {
    settle_.stop();
    if (!watcher_.files().isEmpty()) watcher_.removePaths(watcher_.files());
    paths_.clear();
    read_.clear();
    waiting_.clear();
    told_.clear();
    waitedForLineEnd_ = false;
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
    waitedForLineEnd_ = false;
    settle_.start();  // again from the start at every change
}

bool NewTurnWatcher::newTurnWritten() {
    if (content_key({bytes_now(firstReport_)}) == firstReportKey_) return false;  // written back as it was
    bool lineEndMissing = false;
    for (qsizetype k = 1; k < paths_.size(); ++k) {  // the reports, after the MAP
        const std::string bytes = bytes_now(paths_[k]);
        if (!cut_report_reason(bytes).empty()) return false;  // its next write is watched for
        lineEndMissing = lineEndMissing || !ends_with_line_end(bytes);
    }
    if (lineEndMissing && !waitedForLineEnd_) {
        waitedForLineEnd_ = true;
        settle_.start();
        return false;
    }
    return true;
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
    if (now == told_ || !newTurnWritten()) return;
    told_ = now;
    NewTurnNews news;
    news.files = static_cast<int>(now.size());
    for (std::size_t k = 0; k < now.size(); ++k) {
        news.written = std::max(news.written, now[k].modified);
        if (now[k] != read_[k]) ++news.filesWritten;
        // A game that leaves its MAP as it is has written its turn once the reports are written.
        if (k >= 2 && now[k] == read_[k]) ++news.alliesWaited;
    }
    written_(news);
}

}  // namespace trevanor
