#pragma once
// Errors that stop the running operation. The handler that started the
// operation shows the message in an error box; what was done so far stays.

#include <stdexcept>
#include <string>

#include "files.h"

namespace trevanor {

// A cell text that is not a number where one is needed.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file that cannot be opened or read, with the system's reason.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A merge of an ally's report that stopped; nothing it did stays.
class MergeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A file with more lines than a table can hold.
class TableLimitError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
    static TableLimitError forFile(const std::string& path) {
        return TableLimitError("File \"" + shown_path(path) +
                               "\" has more lines than a table can hold (65534 after the heading line). "
                               "Reading stopped there.");
    }
};

}  // namespace trevanor
