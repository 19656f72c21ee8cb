#pragma once
// A prompter for tests: records every message and plays back scripted
// answers to questions, or the standing answer to a question a test expects
// all along. A question no answer was scripted for fails the test at once
// (and is answered No), rather than being left to a default.

#include <deque>
#include <gtest/gtest.h>
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
        if (answers.empty()) {
            for (const auto& [start, answer] : standing)
                if (text.starts_with(start)) return answer;
            ADD_FAILURE() << "a question no answer was scripted for: " << text;
            return Answer::No;
        }
        const Answer a = answers.front();
        answers.pop_front();
        return a;
    }

    std::vector<Shown> shown;
    std::deque<Answer> answers;
    // Questions starting with the text, answered so whenever no answer is scripted.
    std::vector<std::pair<std::string, Answer>> standing;
};

}  // namespace trevanor::test
