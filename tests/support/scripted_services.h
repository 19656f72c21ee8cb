#pragma once
// The user's file choices and the clipboard, for tests: open dialogs play
// back prepared answers, the clipboard is a text in memory.

#include <deque>
#include <gtest/gtest.h>

#include "platform/services.h"

namespace trevanor::test {

// Plays back prepared answers; a dialog no answer was prepared for fails the
// test at once (and is cancelled). An empty answer cancels. Records the
// filter, the folder and the title of every dialog.
class ScriptedFileChooser : public FileChooser {
public:
    QString open(QWidget*, const QString& filter, const QString& directory, const QString& title = QString()) override {
        filters.push_back(filter);
        directories.push_back(directory);
        titles.push_back(title);
        if (answers.empty()) {
            ADD_FAILURE() << "an open dialog no answer was prepared for: " << filter.toStdString();
            return {};
        }
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
    // A dialog for many files: the next answer holds them, one a line.
    QStringList openMany(QWidget* parent, const QString& filter, const QString& directory,
                         const QString& title = QString()) override {
        const QString answer = open(parent, filter, directory, title);
        return answer.isEmpty() ? QStringList() : answer.split(u'\n');
    }
    // A save dialog: the same answers, its suggested name recorded.
    QString save(QWidget* parent, const QString& filter, const QString& directory, const QString& name) override {
        names.push_back(name);
        return open(parent, filter, directory);
    }
    std::deque<QString> answers;
    std::deque<QString> filters;
    std::deque<QString> directories;
    std::deque<QString> titles;
    std::deque<QString> names;
};

// A clipboard of its own, not the system's.
class MemoryClipboard : public Clipboard {
public:
    QString text() const override { return content; }
    void setText(const QString& text) override { content = text; }
    QString content;
};

}  // namespace trevanor::test
