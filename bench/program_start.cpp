// The program's own start, exactly as main runs it, ended after the start
// window's first paint.
#include <QApplication>

#include "first_paint.h"
#include "program.h"
#include "qt_desktop.h"
#include "start_window.h"
#include "startup.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::prepareApplication(application);

    app::QtDesktop desktop;
    app::Program program(desktop);
    bench::exitAfterFirstPaint(&program.startWindow());
    program.start();
    return QApplication::exec();
}
