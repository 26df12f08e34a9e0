// On a Wayland session the program asks for X11 first, unless the user chose.
#include <QTest>

#include "startup.h"

class TestPlatformChoice : public QObject {
    Q_OBJECT
  private slots:
    void choice_data() {
        QTest::addColumn<QByteArray>("session");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("chosen"); // QT_QPA_PLATFORM as the user left it
        QTest::addColumn<bool>("platformArgument");
        QTest::addColumn<QByteArray>("result");
        QTest::newRow("Wayland session: X11 first, Wayland as fallback")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray() << false
            << QByteArray("xcb;wayland");
        QTest::newRow("only a Wayland display")
            << QByteArray() << QByteArray("wayland-0") << QByteArray() << false
            << QByteArray("xcb;wayland");
        QTest::newRow("the user's platform stands")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray("wayland") << false
            << QByteArray("wayland");
        QTest::newRow("-platform on the command line stands")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray() << true
            << QByteArray();
        QTest::newRow("X11 session: left to Qt")
            << QByteArray("x11") << QByteArray() << QByteArray() << false << QByteArray();
    }
    void choice() {
        QFETCH(QByteArray, session);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, chosen);
        QFETCH(bool, platformArgument);
        QFETCH(QByteArray, result);
        const auto set = [](const char* name, const QByteArray& v) {
            if (v.isEmpty())
                qunsetenv(name);
            else
                qputenv(name, v);
        };
        set("XDG_SESSION_TYPE", session);
        set("WAYLAND_DISPLAY", waylandDisplay);
        set("QT_QPA_PLATFORM", chosen);
        QByteArrayList args{"schriftliche-division"};
        if (platformArgument)
            args << "-platform"
                 << "wayland";
        QList<char*> argv;
        for (QByteArray& a : args)
            argv << a.data();
        app::choosePlatform(int(argv.size()), argv.data());
        QCOMPARE(qgetenv("QT_QPA_PLATFORM"), result);
    }
};

QTEST_GUILESS_MAIN(TestPlatformChoice)
#include "test_platform_choice.moc"
