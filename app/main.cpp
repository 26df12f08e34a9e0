#include <QApplication>

#include "accessible_controls.h"
#include "program.h"
#include "qt_runtime.h"
#include "startup.h"

int main(int argc, char** argv) {
    app::choosePlatform(argc, argv);
    QApplication application(argc, argv);
    app::prepareApplication(application);
    // After the application: Qt installed its own interfaces with it.
    widgets::installAccessibleControls();

    app::QtRuntime rt;
    widgets::setRuntime(&rt);
    app::Program program;
    program.start();
    const int rc = QApplication::exec();
    widgets::setRuntime(nullptr);
    return rc;
}
