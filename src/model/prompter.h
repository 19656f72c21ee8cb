#pragma once
// The only way the logic talks to the user: message boxes with fixed texts.
// A CR inside a text starts a new line.

#include <string>

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

}  // namespace trevanor
