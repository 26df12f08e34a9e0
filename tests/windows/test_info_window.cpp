#include <QApplication>
#include <QCheckBox>
#include <QTest>

#include "exercise_window.h"
#include "sheet_panel.h"
#include "info_window.h"
#include "program.h"
#include "scripted_desktop.h"
#include "start_window.h"
#include "twips.h"
#include "window_stack.h"

using windows::StartWindow;
using windows::InfoWindow;

namespace {

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

// Where the info window belongs on the screen: centred across, a quarter of
// the free height down.
QPoint infoWindowPlace(const InfoWindow& z, QSize screen) {
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
        rt = new ScriptedDesktop;
        program = new app::Program(*rt);
        program->start();
        start = &program->startWindow();
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
        QCOMPARE(program->printingLocked(), true);
        InfoWindow* z = program->loadedInfoWindow();
        QVERIFY(z);
        QVERIFY(!z->isVisible());
        QCOMPARE(program->printingLocked(), true);
        QCOMPARE(program->loadedInfoWindow(), z);
        QVERIFY(rt->boxes.isEmpty());
    }

    void infoPictureShowsItBesideTheStartWindow() {
        click(start->infoPicture);
        InfoWindow* z = program->loadedInfoWindow();
        QVERIFY(z);
        QVERIFY(z->isVisible());
        QVERIFY(start->isVisible());
        QCOMPARE(program->windows().current(), z);
        QCOMPARE(z->windowTitle(), QStringLiteral("Programm-Info"));
        QCOMPARE(z->printLockBox->text(), QStringLiteral("  Druckmodus deaktivieren"));
        QCOMPARE(z->pos(), infoWindowPlace(*z, rt->screen));
        // Two lines each, joined by CR LF, written at the activation.
        QCOMPARE(z->termsLabel->text().count(QStringLiteral("\n")), 1);
        QCOMPARE(z->versionLabel->text().count(QStringLiteral("\n")), 1);
        QVERIFY(!z->termsLabel->text().startsWith(QLatin1String("\n")));
        QVERIFY(!z->versionLabel->text().endsWith(QLatin1String("\n")));
        QVERIFY(rt->boxes.isEmpty());
    }

    void switchCaptionIsReadable() {
        click(start->infoPicture);
        QCheckBox* box = program->loadedInfoWindow()->printLockBox;
        const QImage img = box->grab().toImage();
        // Right of the caption: the panel colour 0xFF8080, under the white text.
        QCOMPARE(img.pixelColor(img.width() - 3, img.height() / 2), QColor(128, 128, 255));
        QCOMPARE(box->palette().color(box->foregroundRole()), QColor(Qt::white));
    }

    void textsFitTheirLabels_data() {
        QTest::addColumn<QString>("label");
        QTest::newRow("distribution notice") << "termsLabel";
        QTest::newRow("release and contact lines") << "versionLabel";
        QTest::newRow("title") << "titleLabel";
        QTest::newRow("web address") << "websiteLabel";
        QTest::newRow("O k a y") << "okayLabel";
    }
    void textsFitTheirLabels() {
        QFETCH(QString, label);
        click(start->infoPicture);
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
        click(start->infoPicture);
        InfoWindow* z = program->loadedInfoWindow();
        const QPoint place = infoWindowPlace(*z, rt->screen);
        QCOMPARE(z->pos(), place);
        z->move(10, 20); // the user drags it away
        settle();
        if (hideFirst) click(z->okayLabel);
        start->activateWindow(); // back to the start window to click "Info"
        settle();
        click(start->infoPicture);
        QCOMPARE(program->loadedInfoWindow(), z); // the same window, not a second one
        QVERIFY(z->isVisible());
        QVERIFY(start->isVisible());
        QCOMPARE(z->pos(), place);
        QCOMPARE(program->windows().current(), z);
    }

    void closingByOkayOrPictureKeepsTheSwitch_data() {
        QTest::addColumn<QString>("closer");
        QTest::newRow("O k a y") << "okayLabel";
        QTest::newRow("picture button") << "closePicture";
    }
    void closingByOkayOrPictureKeepsTheSwitch() {
        QFETCH(QString, closer);
        click(start->infoPicture);
        InfoWindow* z = program->loadedInfoWindow();
        z->printLockBox->setChecked(true);
        click(z->printLockBox); // the user unticks the switch
        QCOMPARE(z->printingLocked(), false);
        click(z->findChild<QWidget*>(closer));
        settle();
        QVERIFY(!z->isVisible());
        QCOMPARE(program->loadedInfoWindow(), z);
        QCOMPARE(program->printingLocked(), false);
        QVERIFY(start->isVisible());

        click(start->infoPicture); // shown again with the switch as it was left
        QCOMPARE(program->loadedInfoWindow(), z);
        QVERIFY(!z->printLockBox->isChecked());
        QVERIFY(rt->boxes.isEmpty());
    }

    void closeButtonDiscardsTheSwitch() {
        click(start->infoPicture);
        InfoWindow* z = program->loadedInfoWindow();
        z->printLockBox->setChecked(false);
        QCOMPARE(program->printingLocked(), false);
        QVERIFY(z->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        settle();
        QCOMPARE(program->loadedInfoWindow(), nullptr);
        QVERIFY(start->isVisible());
        QVERIFY(!program->windows().programEnding());

        QCOMPARE(program->printingLocked(), true);
        InfoWindow* again = program->loadedInfoWindow();
        QVERIFY(again);
        QVERIFY(!again->isVisible());
        QVERIFY(rt->boxes.isEmpty());
    }

    // The print buttons read the switch at the moment of the click: a fresh
    // program asks for the password without showing the info window;
    // unticked and left by "O k a y", printing is free; left by the close
    // button, it is locked again.
    void printingFollowsTheSwitch() {
        using Box = ScriptedDesktop::Box;
        const Box password{Box::Input, "Kennwort eingeben:", {}, "Druckersperre aufheben",
                           "Passwort"};
        windows::ExerciseWindow& f = program->exerciseWindow();
        program->windows().show(&f);
        f.sheetPanel().composeSheet();
        rt->answerInput("Passwort");
        f.sheetPanel().printTaskSheet();
        QCOMPARE(rt->takeBoxes(), QList<Box>{password});
        InfoWindow* z = program->loadedInfoWindow();
        QVERIFY(z && !z->isVisible());

        program->windows().show(z);
        click(z->printLockBox);
        click(z->okayLabel);
        rt->answer(widgets::Answer::No);
        f.sheetPanel().printTaskSheet();
        QCOMPARE(rt->takeBoxes().size(), 1); // the confirmation at once

        program->windows().show(z);
        QVERIFY(z->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        rt->answerInput("Passwort");
        f.sheetPanel().printSolutionSheet();
        QCOMPARE(rt->takeBoxes(), QList<Box>{password});
        QVERIFY(rt->allAnswersUsed());
    }

  private:
    ScriptedDesktop* rt = nullptr;
    app::Program* program = nullptr;
    StartWindow* start = nullptr;
};

QTEST_MAIN(InfoWindowTest)
#include "test_info_window.moc"
