#pragma once

// Runs a Qt Test object offscreen on a screen as large as a whiteboard.
// A drop looks its target up by its place on the screen, so a grown window
// must lie on one; the offscreen platform's own screen is 800 × 600. On
// another platform the real screens stay.
#include <QApplication>
#include <QDir>
#include <QSize>
#include <QTemporaryFile>
#include <QTest>

inline const QSize kBoardScreen(3840, 2160);

template <typename TestObject>
int runOnBoardScreen(int argc, char** argv, const QSize& screen = kBoardScreen) {
    QTemporaryFile config(QDir::tempPath() + QStringLiteral("/board-screen-XXXXXX.json"));
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        if (!config.open()) return 1;
        config.write(QStringLiteral(R"({"screens": [{"name": "board", "x": 0, "y": 0,
                                       "width": %1, "height": %2, "logicalDpi": 96,
                                       "logicalBaseDpi": 96, "dpr": 1}]})")
                         .arg(screen.width())
                         .arg(screen.height())
                         .toUtf8());
        config.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }
    QApplication app(argc, argv);
    TestObject test;
    return QTest::qExec(&test, argc, argv);
}
