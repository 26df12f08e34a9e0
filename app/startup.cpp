#include "startup.h"

#include "app_icon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace app {

void prepareApplication(QApplication& application) {
    QApplication::setApplicationName(QStringLiteral("Schriftliche Division"));
    QApplication::setDesktopFileName(QStringLiteral(DIVISION_APP_ID));
    QApplication::setWindowIcon(appicon::icon());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // Qt's own dialogs (file dialog, context menus) speak German too.
    auto* qtTranslator = new QTranslator(&application);
    if (qtTranslator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTranslator);
    else
        delete qtTranslator;
}

} // namespace app
