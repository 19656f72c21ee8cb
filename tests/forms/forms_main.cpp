// Window tests run with a real QApplication on the offscreen platform.

#include <QApplication>
#include <QLocale>
#include <gtest/gtest.h>

#include "platform/services.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale::c());
    trevanor::provide_tahoma();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
