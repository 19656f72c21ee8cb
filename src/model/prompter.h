#pragma once
// The only way the logic talks to the user: message boxes with fixed texts.
// A CR inside a text starts a new line.

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace trevanor {

enum class Answer { Ok, Yes, No, Ignore };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual void message(const std::string& text) = 0;  // OK only, no icon
    virtual void error(const std::string& text) = 0;    // error icon, OK
    virtual void warning(const std::string& text) = 0;  // warning icon, OK
    // Question icon; Yes/No, or Yes/No/Ignore when withIgnore is set.
    virtual Answer confirm(const std::string& text, bool withIgnore) = 0;
};

// Records every message and plays back scripted answers (No when none is left).
class RecordingPrompter : public Prompter {
public:
    struct Shown {
        std::string kind;  // "message", "error", "warning" or "confirm"
        std::string text;
        bool operator==(const Shown&) const = default;
    };

    void message(const std::string& text) override { shown.push_back({"message", text}); }
    void error(const std::string& text) override { shown.push_back({"error", text}); }
    void warning(const std::string& text) override { shown.push_back({"warning", text}); }
    Answer confirm(const std::string& text, bool) override {
        shown.push_back({"confirm", text});
        if (answers.empty()) return Answer::No;
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<Shown> shown;
    std::deque<Answer> answers;
};

// What the logic asks of the windows in the middle of an operation.
class WindowHooks {
public:
    virtual ~WindowHooks() = default;
    // The own race window, shown modally, with a suggested player (0: none).
    virtual void own_race_showmodal(int /*player*/) {}
    // The ally report window with its progress at 0 and an empty status line.
    virtual void show_ally_report() {}
    // Empties the calculator's four coordinate fields.
    virtual void clear_calculator() {}
    // A MAP change: the tool windows (all but the main window and the fleet
    // particulars) are destroyed, then created anew in their order; the map
    // window's creation runs `mapCreation` (it reads the new MAP).
    virtual void destroy_tool_windows() {}
    virtual void create_tool_windows(const std::function<void()>& mapCreation) { mapCreation(); }
    // The map's route filter is refilled (players or allies changed).
    virtual void refresh_route_race() {}
    // The player colour window, for new players still without a colour.
    virtual void show_player_colors() {}
};

}  // namespace trevanor
