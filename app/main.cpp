#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "program.h"
#include "qt_runtime.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Schriftliche Division"));
    QApplication::setDesktopFileName(QStringLiteral("schriftliche-division"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    // Qt's own dialogs (file dialog, context menus) speak German too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    shell::QtRuntime rt;
    shell::setRuntime(&rt);
    trainer::Program program;
    program.start();
    const int rc = QApplication::exec();
    shell::setRuntime(nullptr);
    return rc;
}
