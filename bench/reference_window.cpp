// The bare reference for the start-up benchmark: a plain Qt Widgets window of
// the exercise window's size with one text label.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "first_paint.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Referenz"));
    window.resize(9060 / 15, 6645 / 15); // the exercise window's client size at 100 %
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Schriftliche Division"), &window));
    bench::exitAfterFirstPaint(&window);
    window.show();
    return QApplication::exec();
}
