#include <QApplication>

#include "program.h"
#include "qt_runtime.h"
#include "startup.h"

int main(int argc, char** argv) {
    app::choosePlatform(argc, argv);
    QApplication application(argc, argv);
    app::prepareApplication(application);

    app::QtRuntime rt;
    widgets::setRuntime(&rt);
    app::Program program;
    program.start();
    const int rc = QApplication::exec();
    widgets::setRuntime(nullptr);
    return rc;
}
