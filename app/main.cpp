#include <QApplication>

#include "program.h"
#include "qt_runtime.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    shell::QtRuntime rt;
    shell::setRuntime(&rt);
    trainer::Program program;
    program.start();
    const int rc = app.exec();
    shell::setRuntime(nullptr);
    return rc;
}
