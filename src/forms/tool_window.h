#pragma once
// A top-level tool window of the program. Closing it hides it.

#include <QWidget>

namespace trevanor {

class Application;

class ToolWindow : public QWidget {
public:
    ToolWindow(Application& app, const char* className, const char* caption) : QWidget(nullptr), app_(app) {
        setObjectName(QString::fromLatin1(className));
        setWindowTitle(QString::fromLatin1(caption));
    }

protected:
    Application& app_;
};

}  // namespace trevanor
