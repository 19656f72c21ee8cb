#pragma once
// A prompter for tests: records every message and plays back scripted
// answers to questions (No when none is left).

#include <deque>
#include <string>
#include <vector>

#include "model/prompter.h"

namespace trevanor::test {

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

}  // namespace trevanor::test
