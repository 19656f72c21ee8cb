#pragma once
// The dump's prompter: records every message the import shows, in order, for
// the "messages" section; every question is answered No.

#include <string>
#include <vector>

#include "model/prompter.h"

namespace trevanor {

class MessageLog : public Prompter {
public:
    struct Shown {
        std::string kind;  // "message", "error", "warning" or "confirm"
        std::string text;
    };

    void message(const std::string& text) override { shown.push_back({"message", text}); }
    void error(const std::string& text) override { shown.push_back({"error", text}); }
    void warning(const std::string& text) override { shown.push_back({"warning", text}); }
    Answer confirm(const std::string& text, bool) override {
        shown.push_back({"confirm", text});
        return Answer::No;
    }

    std::vector<Shown> shown;
};

}  // namespace trevanor
