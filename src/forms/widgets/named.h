#pragma once
// Controls are found by their object name: the name the program gives them.

#include <QString>

namespace trevanor {

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace trevanor
