#pragma once
// A running program with a settings store in a temporary folder, a scripted
// prompter, file chooser and clipboard, and the game's files at hand.

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#include "forms/Dist_calc.h"
#include "forms/Own_race_unit.h"
#include "app/application.h"
#include "platform/qt_settings_backend.h"
#include "support/recording_prompter.h"
#include "support/scripted_services.h"

namespace trevanor::test {

class Program : public ::testing::Test {
protected:
    Program();
    ~Program() override;

    // Starts the program (again, on the same store, after quit()).
    void start();
    // Closes the main window as the user would, then drops every window.
    void quit();

    // Writes a file of the game folder and returns its path.
    QString write(const QString& name, const std::string& bytes);
    QString path(const QString& name) const { return dir_.filePath(name); }

    TForm1& main() { return *app->main(); }
    QAction* action(const char* name) { return main().action(name); }
    // Chooses the file in the next open dialog, then runs the menu item.
    void openWith(const char* item, const QString& file);

    // The next opening of the own race window: records what it shows, then
    // chooses `choice` and presses OK (an empty choice closes it instead).
    void answerOwnRace(const QString& choice);
    struct OwnRaceSeen {
        QStringList items;
        QString selected;
        bool okEnabled = false;
    };
    std::vector<OwnRaceSeen> ownRaceSeen;

    std::vector<std::string> messages(const char* kind) const;
    std::int32_t storedInt(const std::string& key, const std::string& name);
    std::string storedText(const std::string& key, const std::string& name);

    QTemporaryDir dir_;
    std::unique_ptr<QtSettingsBackend> store;
    RecordingPrompter prompter;
    ScriptedFileChooser files;
    MemoryClipboard clipboard;
    std::unique_ptr<Application> app;

private:
    QString ownRaceChoice_;
};

// A small game: planets and a report whose players are 1, 3 and 12.
extern const std::string kMap;
extern const std::string kOtherMap;
std::string report();

}  // namespace trevanor::test
