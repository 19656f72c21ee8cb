#pragma once
// The windows' ways to the user and the system, behind small interfaces so
// that tests can script them: message boxes, open dialogs, the clipboard.

#include <QString>
#include <deque>

#include "model/prompter.h"

class QWidget;

namespace trevanor {

// Message boxes with the application's title; a CR in a text is a line break.
class QtPrompter : public Prompter {
public:
    void message(const std::string& text) override;
    void error(const std::string& text) override;
    void warning(const std::string& text) override;
    Answer confirm(const std::string& text, bool withIgnore) override;
};

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The chosen file's path, or an empty text when the dialog was cancelled.
    // The filter is written "Description|*.EXT".
    virtual QString open(QWidget* parent, const QString& filter) = 0;
};

class QtFileChooser : public FileChooser {
public:
    QString open(QWidget* parent, const QString& filter) override;
};

// Plays back prepared answers; an empty queue cancels.
class ScriptedFileChooser : public FileChooser {
public:
    QString open(QWidget*, const QString& filter) override {
        filters.push_back(filter);
        if (answers.empty()) return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
    std::deque<QString> answers;
    std::deque<QString> filters;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual QString text() const = 0;
    virtual void setText(const QString& text) = 0;
};

class QtClipboard : public Clipboard {
public:
    QString text() const override;
    void setText(const QString& text) override;
};

class MemoryClipboard : public Clipboard {
public:
    QString text() const override { return content; }
    void setText(const QString& text) override { content = text; }
    QString content;
};

// A file path as the model keeps it (the system's 8-bit encoding) and back.
std::string path_bytes(const QString& path);
QString path_text(const std::string& path);

// The Qt form of a "Description|*.EXT" filter; on systems whose file names
// are case-sensitive the pattern also matches the lower-case extension.
QString qt_filter(const QString& filter);

}  // namespace trevanor
