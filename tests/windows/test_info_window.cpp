#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "exercise_window.h"
#include "info_window.h"
#include "program.h"
#include "scripted_runtime.h"
#include "start_window.h"
#include "twips.h"
#include "window_stack.h"

using shell::Form0;
using shell::ZEBLABEL;
namespace forms = shell::forms;

namespace {

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Where the info window belongs on the screen: centred across, a quarter of
// the free height down.
QPoint infoWindowPlace(const ZEBLABEL& z, QSize screen) {
    const double left = (screen.width() - tw::fromPx(z.frameGeometry().width())) / 2.0;
    const double top = (screen.height() - tw::fromPx(z.frameGeometry().height())) / 4.0;
    return QPoint(tw::toPx(int(std::lround(left))), tw::toPx(int(std::lround(top))));
}

} // namespace

// Each test starts the program afresh, with the info window not loaded.
class InfoWindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        rt = new ScriptedRuntime;
        program = new trainer::Program;
        program->start();
        start = &program->form0();
        settle();
    }
    void cleanup() {
        delete program;
        program = nullptr;
        start = nullptr;
        delete rt;
        rt = nullptr;
        settle();
    }

    void lockReadBeforeOpeningLoadsItLockedAndHidden() {
        QCOMPARE(program->loadedInfoWindow(), nullptr);
        QCOMPARE(program->printerLock(), 1);
        ZEBLABEL* z = program->loadedInfoWindow();
        QVERIFY(z);
        QVERIFY(!z->isVisible());
        QCOMPARE(program->printerLock(), 1);
        QCOMPARE(program->loadedInfoWindow(), z);
        QVERIFY(rt->boxes.isEmpty());
    }

    void infoPictureShowsItBesideTheStartWindow() {
        click(start->Bild4);
        ZEBLABEL* z = program->loadedInfoWindow();
        QVERIFY(z);
        QVERIFY(z->isVisible());
        QVERIFY(start->isVisible());
        QCOMPARE(forms::current(), z);
        QCOMPARE(z->windowTitle(), QStringLiteral("Programm-Info"));
        QCOMPARE(z->Kontroll1->text(), QStringLiteral("  Druckmodus deaktivieren"));
        QCOMPARE(z->pos(), infoWindowPlace(*z, rt->screen));
        // Two lines each, joined by CR LF, written at the activation.
        QCOMPARE(z->Bezeichnung6->caption().count(QStringLiteral("\r\n")), 1);
        QCOMPARE(z->Bezeichnung7->caption().count(QStringLiteral("\r\n")), 1);
        QVERIFY(!z->Bezeichnung6->caption().startsWith(QLatin1String("\r\n")));
        QVERIFY(!z->Bezeichnung7->caption().endsWith(QLatin1String("\r\n")));
        QVERIFY(rt->boxes.isEmpty());
    }

    void switchCaptionIsReadable() {
        click(start->Bild4);
        QCheckBox* box = program->loadedInfoWindow()->Kontroll1;
        const QImage img = box->grab().toImage();
        // Right of the caption: the panel colour 0xFF8080, under the white text.
        QCOMPARE(img.pixelColor(img.width() - 3, img.height() / 2), QColor(128, 128, 255));
        QCOMPARE(box->palette().color(box->foregroundRole()), QColor(Qt::white));
    }

    void textsFitTheirLabels_data() {
        QTest::addColumn<QString>("label");
        QTest::newRow("distribution notice") << "Bezeichnung6";
        QTest::newRow("release and contact lines") << "Bezeichnung7";
        QTest::newRow("title") << "Bezeichnung5";
        QTest::newRow("web address") << "Bezeichnung8";
        QTest::newRow("O k a y") << "Bezeichnung1";
    }
    void textsFitTheirLabels() {
        QFETCH(QString, label);
        click(start->Bild4);
        auto* l = program->loadedInfoWindow()->findChild<QLabel*>(label);
        QVERIFY(l);
        const QSize need =
            l->wordWrap() ? QSize(l->width(), l->heightForWidth(l->width())) : l->sizeHint();
        QVERIFY2(need.height() <= l->height(), qPrintable(l->text()));
        QVERIFY2(need.width() <= l->width(), qPrintable(l->text()));
    }

    void everyActivationPlacesItAgain_data() {
        QTest::addColumn<bool>("hideFirst");
        QTest::newRow("opened again after O k a y") << true;
        QTest::newRow("opened again while shown") << false;
    }
    void everyActivationPlacesItAgain() {
        QFETCH(bool, hideFirst);
        click(start->Bild4);
        ZEBLABEL* z = program->loadedInfoWindow();
        const QPoint place = infoWindowPlace(*z, rt->screen);
        QCOMPARE(z->pos(), place);
        z->move(10, 20); // the user drags it away
        settle();
        if (hideFirst) click(z->Bezeichnung1);
        start->activateWindow(); // back to the start window to click "Info"
        settle();
        click(start->Bild4);
        QCOMPARE(program->loadedInfoWindow(), z); // the same window, not a second one
        QVERIFY(z->isVisible());
        QVERIFY(start->isVisible());
        QCOMPARE(z->pos(), place);
        QCOMPARE(forms::current(), z);
    }

    void closingByOkayOrPictureKeepsTheSwitch_data() {
        QTest::addColumn<QString>("closer");
        QTest::newRow("O k a y") << "Bezeichnung1";
        QTest::newRow("picture button") << "Bild1";
    }
    void closingByOkayOrPictureKeepsTheSwitch() {
        QFETCH(QString, closer);
        click(start->Bild4);
        ZEBLABEL* z = program->loadedInfoWindow();
        z->Kontroll1->setChecked(true);
        click(z->Kontroll1); // the user unticks the switch
        QCOMPARE(z->Kontroll1Value(), 0);
        click(z->findChild<QWidget*>(closer));
        settle();
        QVERIFY(!z->isVisible());
        QCOMPARE(program->loadedInfoWindow(), z);
        QCOMPARE(program->printerLock(), 0);
        QVERIFY(start->isVisible());

        click(start->Bild4); // shown again with the switch as it was left
        QCOMPARE(program->loadedInfoWindow(), z);
        QVERIFY(!z->Kontroll1->isChecked());
        QVERIFY(rt->boxes.isEmpty());
    }

    void closeButtonDiscardsTheSwitch() {
        click(start->Bild4);
        ZEBLABEL* z = program->loadedInfoWindow();
        z->Kontroll1->setChecked(false);
        QCOMPARE(program->printerLock(), 0);
        QVERIFY(z->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        settle();
        QCOMPARE(program->loadedInfoWindow(), nullptr);
        QVERIFY(start->isVisible());
        QVERIFY(!forms::programEnded());

        QCOMPARE(program->printerLock(), 1);
        ZEBLABEL* again = program->loadedInfoWindow();
        QVERIFY(again);
        QVERIFY(!again->isVisible());
        QVERIFY(rt->boxes.isEmpty());
    }

    // The print buttons read the switch at the moment of the click: a fresh
    // program asks for the password without showing the info window;
    // unticked and left by "O k a y", printing is free; left by the close
    // button, it is locked again.
    void printingFollowsTheSwitch() {
        using Box = ScriptedRuntime::Box;
        const Box password{Box::Input, "Kennwort eingeben:", 0, "Druckersperre aufheben",
                           "Passwort"};
        trainer::Form1& f = program->form1();
        forms::show(&f);
        f.Befehl14_Click();
        rt->answerInput("Passwort");
        f.Befehl17_Click();
        QCOMPARE(rt->takeBoxes(), QList<Box>{password});
        ZEBLABEL* z = program->loadedInfoWindow();
        QVERIFY(z && !z->isVisible());

        forms::show(z);
        click(z->Kontroll1);
        click(z->Bezeichnung1);
        rt->answer(shell::AnswerNo);
        f.Befehl17_Click();
        QCOMPARE(rt->takeBoxes().size(), 1); // the confirmation at once

        forms::show(z);
        QVERIFY(z->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rt->answerInput("Passwort");
        f.Befehl18_Click();
        QCOMPARE(rt->takeBoxes(), QList<Box>{password});
        QVERIFY(rt->allAnswersUsed());
    }

  private:
    ScriptedRuntime* rt = nullptr;
    trainer::Program* program = nullptr;
    Form0* start = nullptr;
};

QTEST_MAIN(InfoWindowTest)
#include "test_info_window.moc"
