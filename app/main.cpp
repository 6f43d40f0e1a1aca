// The program: a Qt application whose one window is the main agenda window.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>
#include <string>
#include <vector>

#include "app/cal_ctrl_app.h"
#include "model/clock.h"
#include "model/globals.h"
#include "platform/qt/qt_images.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/qt/qt_ui_services.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Gestalia"));
    QApplication::setDesktopFileName(QStringLiteral("example.gestalia.Gestalia"));
    QApplication::setWindowIcon(gestalia::ProgramIcon());

    // She reads Spanish: the date picker's calendar and the toolkit's own
    // buttons ("Sí", "Cancelar") speak it too. Qt carries its own locale data,
    // so this holds whatever locales the system has installed.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

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
