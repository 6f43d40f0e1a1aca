#include "platform/qt/qt_program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QString>
#include <QTranslator>

#include "platform/qt/qt_deferred_icons.h"
#include "platform/qt/qt_images.h"

namespace gestalia {

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
