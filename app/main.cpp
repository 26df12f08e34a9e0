#include <QApplication>

#include "program.h"
#include "qt_desktop.h"
#include "startup.h"

int main(int argc, char** argv) {
    app::choosePlatform(argc, argv);
    QApplication application(argc, argv);
    app::prepareApplication(application);

    app::QtDesktop desktop;
    app::Program program(desktop);
    program.start();
    return QApplication::exec();
}
