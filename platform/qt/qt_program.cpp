#include "platform/qt/qt_program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include <fontconfig/fontconfig.h>

#include "platform/qt/qt_deferred_icons.h"
#include "platform/qt/qt_images.h"

namespace gestalia {

// FcInit makes fontconfig's current configuration, the one Qt then uses; a
// failure leaves Qt to try again itself, as it would have anyway.
CFontConfigLoader::CFontConfigLoader() : m_thread([] { FcInit(); }) {}

CFontConfigLoader::~CFontConfigLoader() {
    Wait();
}

void CFontConfigLoader::Wait() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void PrepareApplication(QTranslator& qtTranslator) {
    QApplication::setApplicationName(QStringLiteral("Gestalia"));
    QApplication::setDesktopFileName(QStringLiteral("example.gestalia.Gestalia"));
    QApplication::setWindowIcon(ProgramIcon());

    // She reads Spanish: the date picker's calendar and the toolkit's own
    // buttons ("Sí", "Cancelar") speak it too. Qt carries its own locale data,
    // so this holds whatever locales the system has installed.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    if (qtTranslator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTranslator);
    }

    // The style the application already has (the desktop's, or the one asked
    // for with -style), with its icons looked up when first needed.
    QApplication::setStyle(new CDeferredIconStyle(QApplication::style()));
}

}  // namespace gestalia
