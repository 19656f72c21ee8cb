// Window tests run with a real QApplication on the offscreen platform.
//
// A test that opens a modal window or message box nobody answers would wait
// until ctest's time-out; a watch on the event loop fails it at once instead
// and closes the window.

#include <QApplication>
#include <QStandardPaths>
#include <QDialog>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/services.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);  // turns kept apart from the user's
    QLocale::setDefault(QLocale::c());
    trevanor::provide_tahoma();
    QTimer watch;
    QPointer<QWidget> seen;  // a modal window gets one look's time to be answered
    QObject::connect(&watch, &QTimer::timeout, [&seen] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal != seen) {
            seen = modal;
            return;
        }
        ADD_FAILURE() << "a modal window no test answers: " << modal->metaObject()->className() << " \""
                      << modal->windowTitle().toStdString() << '"';
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        else modal->close();
    });
    watch.start(200);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
