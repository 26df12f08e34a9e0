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

    app::QtRuntime rt;
    widgets::setRuntime(&rt);
    app::Program program;
    bench::exitAfterFirstPaint(&program.startWindow());
    program.start();
    return QApplication::exec();
}
