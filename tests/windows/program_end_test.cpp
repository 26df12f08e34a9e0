#include <QApplication>
#include <QTest>

#include "info_window.h"
#include "scripted_runtime.h"
#include "start_window.h"
#include "window_stack.h"

using windows::StartWindow;
namespace forms = widgets::forms;

// Built twice: ending by the Yes answer of the quit box, and by the close
// button of the start window. Once ended, the program stays ended.
class ProgramEndTest : public QObject {
    Q_OBJECT

  private slots:
    void endsTheProgram() {
        ScriptedRuntime rt;
        StartWindow start;
        windows::InfoWindow info;
        start.showInfoWindow = [&info] { forms::show(&info); };
        forms::show(&start);
        QTest::mouseClick(start.infoPicture, Qt::LeftButton, {}, start.infoPicture->rect().center());
        QVERIFY(info.isVisible());
        QCoreApplication::processEvents();

#if END_BY_CLOSE_BUTTON
        start.close();
        QVERIFY(rt.boxes.isEmpty()); // no confirmation
#else
        rt.answer(widgets::AnswerYes);
        QTest::mouseClick(start.quitPicture, Qt::LeftButton, {}, start.quitPicture->rect().center());
        QCOMPARE(rt.boxes.size(), 1);
        QCOMPARE(rt.boxes.first().style, 276);
#endif
        QVERIFY(forms::programEnded());
        QVERIFY(!start.isVisible());
        QVERIFY(!info.isVisible()); // every window closes
        QCOMPARE(forms::current(), nullptr);
    }
};

QTEST_MAIN(ProgramEndTest)
#include "program_end_test.moc"
