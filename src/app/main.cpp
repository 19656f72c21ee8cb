// Trevanor: reads the settings, creates the windows in their order and runs
// the event loop until the main window is closed.

#include <QApplication>
#include <cstdlib>
#include <iostream>

#include "forms/Dist_calc.h"
#include "forms/widgets/action_timing.h"
#include "app/application.h"
#include "platform/qt_settings_backend.h"
#include "platform/services.h"

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Pellam"));  // beside the settings: <data>/Pellam/Trevanor
    QApplication::setApplicationName(QStringLiteral("Trevanor"));
    QApplication::setQuitOnLastWindowClosed(false);
    trevanor::provide_tahoma();  // the tables' font, where the system lacks it
    trevanor::suit_fonts_to_tahoma_twin();
    trevanor::keep_fixed_sizes_fixed(qapp);
    trevanor::return_large_blocks_to_system();
    trevanor::ActionTiming::install(qapp, std::cerr);  // with TREVANOR_TIMING=1 only

    trevanor::QtSettingsBackend store;
    trevanor::QtPrompter prompter;
    trevanor::QtFileChooser files;
    trevanor::QtClipboard clipboard;
    trevanor::Application app(store, prompter, files, clipboard);
    app.settings.onFatal = [] { std::exit(1); };
    if (!app.start()) return 1;
    app.main()->show();
    return qapp.exec();
}
