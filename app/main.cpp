#include <QApplication>

#include "accessible_controls.h"
#include "program.h"
#include "qt_desktop.h"
#include "startup.h"

int main(int argc, char** argv) {
    app::choosePlatform(argc, argv);
    QApplication application(argc, argv);
    app::prepareApplication(application);
    // After the application: Qt installed its own interfaces with it.
    widgets::installAccessibleControls();

    app::QtDesktop desktop;
    app::Program program(desktop);
    program.start();
    return QApplication::exec();
}
