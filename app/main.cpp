// The program: a Qt application whose one window is the main agenda window.

#include <QApplication>
#include <QTranslator>
#include <string>
#include <vector>

#include "app/cal_ctrl_app.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/qt/qt_program.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_ui_services.h"

int main(int argc, char* argv[]) {
    gestalia::CFontConfigLoader fonts;
    QApplication app(argc, argv);
    fonts.Wait();
    QTranslator qtTranslator;
    gestalia::PrepareApplication(qtTranslator);

    // QApplication has removed its own options (-platform, -style ...) from
    // argv; the rest are ours, byte for byte, the program name left out.
    std::vector<std::string> args(argv + 1, argv + argc);

    gestalia::CGlobals globals;
    gestalia::CSystemClock clock;
    gestalia::CQtUiServices ui;
    gestalia::CQtUiMetrics metrics;
    gestalia::CQtSettingsStore settings;
    gestalia::CCalCtrlApp theApp(globals, ui, metrics, clock, &settings);
    theApp.InitInstance(args);
    return 0;
}
