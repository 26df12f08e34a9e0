// The program's own start, exactly as main runs it, ended after the start
// window's first paint.
#include <QApplication>

#include "first_paint.h"
#include "program.h"
#include "qt_runtime.h"
#include "start_window.h"
#include "startup.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::prepareApplication(application);

    shell::QtRuntime rt;
    shell::setRuntime(&rt);
    trainer::Program program;
    bench::exitAfterFirstPaint(&program.form0());
    program.start();
    return QApplication::exec();
}
