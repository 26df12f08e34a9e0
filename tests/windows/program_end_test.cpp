#include <QApplication>
#include <QTest>

#include "info_window.h"
#include "scripted_desktop.h"
#include "start_window.h"
#include "window_stack.h"

using windows::StartWindow;

// Built twice: ending by the Yes answer of the quit box, and by the close
// button of the start window. Once ended, the program stays ended.
class ProgramEndTest : public QObject {
    Q_OBJECT

  private slots:
    void endsTheProgram() {
        ScriptedDesktop rt;
        StartWindow start(rt.windows);
        windows::InfoWindow info(rt.windows);
        start.showInfoWindow = [&] { rt.windows.show(&info); };
        rt.windows.show(&start);
        QTest::mouseClick(start.infoPicture, Qt::LeftButton, {}, start.infoPicture->rect().center());
        QVERIFY(info.isVisible());
        QCoreApplication::processEvents();

#if END_BY_CLOSE_BUTTON
        start.close();
        QVERIFY(rt.boxes.isEmpty()); // no confirmation
#else
        rt.answer(widgets::Answer::Yes);
        QTest::mouseClick(start.quitPicture, Qt::LeftButton, {}, start.quitPicture->rect().center());
        QCOMPARE(rt.boxes.size(), 1);
        QCOMPARE(rt.boxes.first().style,
                 (widgets::BoxStyle{widgets::Buttons::YesNoDefaultNo, widgets::Icon::Stop}));
#endif
        QVERIFY(rt.windows.programEnding());
        QVERIFY(!start.isVisible());
        QVERIFY(!info.isVisible()); // every window closes
        QCOMPARE(rt.windows.current(), nullptr);
    }
};

QTEST_MAIN(ProgramEndTest)
#include "program_end_test.moc"
