#pragma once
// The windows' ways to the user and the system, behind small interfaces so
// that tests can script them: message boxes, open dialogs, the clipboard.

#include <QString>

#include "model/prompter.h"
#include "model/session.h"

class QApplication;
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
    // The filter is written "Description|*.EXT"; the dialog opens in
    // `directory` (the system's choice when it is empty), titled `title`
    // (the system's "Open" when it is empty).
    virtual QString open(QWidget* parent, const QString& filter, const QString& directory,
                         const QString& title = QString()) = 0;
    // Any number of files (none when cancelled), in one open dialog.
    virtual QStringList openMany(QWidget* parent, const QString& filter, const QString& directory,
                                 const QString& title = QString()) = 0;
    // The path to write a file to, or an empty text when cancelled; the
    // dialog opens in `directory` with the name `name` filled in.
    virtual QString save(QWidget* parent, const QString& filter, const QString& directory, const QString& name) = 0;
};

class QtFileChooser : public FileChooser {
public:
    QString open(QWidget* parent, const QString& filter, const QString& directory,
                 const QString& title = QString()) override;
    QStringList openMany(QWidget* parent, const QString& filter, const QString& directory,
                         const QString& title = QString()) override;
    QString save(QWidget* parent, const QString& filter, const QString& directory, const QString& name) override;
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

// A file path as the model keeps it and back: on Windows UTF-8 with the
// system's separators ("C:\Games\GAME.MAP", whatever a dialog returned), so
// that any folder name survives the ANSI code page; elsewhere the system's
// 8-bit encoding.
std::string path_bytes(const QString& path);
QString path_text(const std::string& path);

// The folder that holds the file at `path` (as the model keeps paths); empty
// for an empty or blank path.
QString folder_of(const std::string& path);
// The folder of the MAP file that is open (the path last read), or empty
// while no MAP is open.
QString open_map_folder(const Session& session);

// Makes the font family "Tahoma" available: where the system has none, the
// metric-compatible one of Debian's fonts-wine is loaded for this program.
// False when there is still no "Tahoma" (Qt then substitutes another font).
// Only the twin's regular face is loaded: its bold face has regular strokes
// (only its bitmaps of 9 to 16 pixels are bold), so that a larger bold Tahoma
// stayed regular; without it the font engine makes every size bold itself.
bool provide_tahoma();

// Where the "Tahoma" in use is the twin that provide_tahoma() loaded, on
// Windows the windows' fonts are drawn from their outlines with light
// (vertical) hinting, as the map draws its labels: the twin's small sizes
// are bitmaps that Windows' own font engine (GDI) clips to their outlines'
// measure, which made an "f" look like a "t".
void suit_fonts_to_tahoma_twin();

// Windows of a fixed size get a frame that cannot be resized nor maximised:
// Windows' own frame for such windows, which Wine honours as well (a size
// kept fixed by the program alone, Wine's window managers stretch). For
// every top-level widget of the application, each time it is shown.
void keep_fixed_sizes_fixed(QApplication& app);

// Large blocks (the map's pictures, a few megabytes each, made anew at every
// zoom and MAP change) go straight back to the system when freed, so that a
// program kept open for months does not hold the largest it ever drew.
void return_large_blocks_to_system();

// The Qt form of a "Description|*.EXT" filter; on systems whose file names
// are case-sensitive the pattern also matches the lower-case extension.
QString qt_filter(const QString& filter);

}  // namespace trevanor
