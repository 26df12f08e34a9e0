#include "startup.h"

#include "app_icon.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstring>

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

QByteArray preferredPlatform(const QByteArray& qpaPlatform, const QByteArray& sessionType,
                             const QByteArray& waylandDisplay, bool platformArgument) {
    if (!qpaPlatform.isEmpty() || platformArgument) return {};
    if (sessionType.toLower() != "wayland" && waylandDisplay.isEmpty()) return {};
    return QByteArrayLiteral("xcb;wayland");
}

void choosePlatform(int argc, char** argv) {
    bool platformArgument = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            platformArgument = true;
    const QByteArray p = preferredPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("XDG_SESSION_TYPE"),
                                           qgetenv("WAYLAND_DISPLAY"), platformArgument);
    if (!p.isEmpty()) qputenv("QT_QPA_PLATFORM", p);
}

} // namespace app
