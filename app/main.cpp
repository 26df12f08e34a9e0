#include <QApplication>

#include "program.h"
#include "qt_runtime.h"
#include "startup.h"

int main(int argc, char** argv) {
    app::choosePlatform(argc, argv);
    QApplication application(argc, argv);
    app::prepareApplication(application);

    shell::QtRuntime rt;
    shell::setRuntime(&rt);
    trainer::Program program;
    program.start();
    const int rc = QApplication::exec();
    shell::setRuntime(nullptr);
    return rc;
}
