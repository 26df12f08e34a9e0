#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <cmath>

#include "modal_answer.h"
#include "program_window.h"
#include "qt_desktop.h"
#include "scripted_desktop.h"
#include "window_stack.h"


namespace {

QStringList buttonTexts(const QList<QAbstractButton*>& buttons) {
    QStringList t;
    for (QAbstractButton* b : buttons)
        t << b->text().remove(QLatin1Char('&'));
    return t;
}

// Sends a key where the keyboard of the box is.
void keyToBox(QWidget* box, Qt::Key key) {
    QWidget* to = QApplication::focusWidget();
    if (!to || to->window() != box) to = box;
    QTest::keyClick(to, key);
}

QAbstractButton* buttonNamed(QWidget* box, const QString& text) {
    for (QAbstractButton* b : box->findChildren<QAbstractButton*>())
        if (b->text().remove(QLatin1Char('&')) == text) return b;
    return nullptr;
}

class Window : public widgets::ProgramWindow {
  public:
    explicit Window(widgets::WindowStack& windows) : ProgramWindow(windows) {
        setClientTwips(3000, 3000);
    }
};

class GrowingWindow : public widgets::ProgramWindow {
  public:
    explicit GrowingWindow(widgets::WindowStack& windows) : ProgramWindow(windows) {
        setClientTwips(3000, 3000, Growing);
    }
};

// Point size of the text of the next box the desktop opens; the box is
// then closed the way a child would close it.
double textSizeOfNextBox(const std::function<void()>& open) {
    double size = 0;
    ModalAnswer reply([&](QWidget* box) {
        if (auto* label = box->findChild<QLabel*>()) size = label->font().pointSizeF();
        if (auto* d = qobject_cast<QDialog*>(box)) d->reject();
    });
    open();
    return size;
}

} // namespace

class QtDesktopTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        window = new Window(windows);
        windows.show(window);
        settle();
    }
    void cleanup() {
        delete window;
        window = nullptr;
        settle();
    }

    // A box opened from a grown window is read from the back of the class:
    // its text grows with the window, up to three times.
    void boxesTakeTheZoomOfTheirWindow() {
        GrowingWindow board(windows);
        windows.show(&board);
        settle();
        const auto sizes = [&] {
            return QList<double>{
                textSizeOfNextBox([&] {
                    rt.message(&board, QStringLiteral("Fehler"),
                               QStringLiteral("Das ist leider falsch, rechne nochmal.\r\r"), {});
                }),
                textSizeOfNextBox([&] {
                    rt.askText(&board, QStringLiteral("Druckersperre aufheben"),
                               QStringLiteral("Kennwort eingeben:"), QString());
                }),
                textSizeOfNextBox([&] {
                    rt.askSaveFile(&board, QStringLiteral("Als PDF speichern"),
                                   QStringLiteral("x.pdf"), QStringLiteral("PDF-Dateien (*.pdf)"));
                }),
            };
        };
        const QList<double> at1 = sizes();
        for (double s : at1)
            QVERIFY(s > 0);
        board.resize(board.minimumSize() * 2);
        QCOMPARE(board.zoom(), 2.0);
        const QList<double> at2 = sizes();
        board.resize(board.minimumSize() * 4);
        const QList<double> at4 = sizes();
        for (int i = 0; i < at1.size(); ++i) {
            QCOMPARE(at2.at(i), 2 * at1.at(i));
            QCOMPARE(at4.at(i), 3 * at1.at(i));
        }
        // At three times a box still fits its screen, frame and all.
        const QString path = QStringLiteral("/home/lehrerin/Dokumente/Schule/Klasse 3b/Mathematik/"
                                            "Division/Arbeitsblätter/Woche 12/Klassensatz.pdf");
        for (const std::function<void()>& open : QList<std::function<void()>>{
                 [&] {
                     rt.message(&board, QStringLiteral("Als PDF speichern"),
                                QStringLiteral("Der Klassensatz (40 Aufgabenblätter, danach ihre "
                                               "Lösungsblätter) wurde als PDF-Datei gespeichert:\r") +
                                    path + QStringLiteral("\r") + path + QStringLiteral("\r\r"),
                                {});
                 },
                 [&] {
                     rt.askSaveFile(&board, QStringLiteral("Als PDF speichern"),
                                    QStringLiteral("x.pdf"), QStringLiteral("PDF-Dateien (*.pdf)"));
                 }}) {
            QRect shown;
            ModalAnswer reply([&](QWidget* box) {
                shown = box->frameGeometry();
                if (auto* d = qobject_cast<QDialog*>(box)) d->reject();
            });
            open();
            QVERIFY(reply.answered());
            QVERIFY2(board.screen()->availableGeometry().contains(shown),
                     qPrintable(QStringLiteral("%1 x %2 at %3,%4").arg(shown.width()).arg(shown.height()).arg(shown.x()).arg(shown.y())));
        }

        // Boxes of a window at 100 % keep the font they always had.
        windows.show(window);
        settle();
        QCOMPARE(textSizeOfNextBox([&] { rt.message(window, QStringLiteral("y"), QStringLiteral("x"), {}); }),
                 at1.first());
    }

    void messageBoxes_data() {
        QTest::addColumn<int>("boxButtons"); // a widgets::Buttons
        QTest::addColumn<int>("boxIcon");    // a widgets::Icon
        QTest::addColumn<QString>("action"); // a key name or the text of a button to click
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<int>("answer");
        const QStringList yesNo{QStringLiteral("Ja"), QStringLiteral("Nein")};
        const QStringList ok{QStringLiteral("OK")};
        const int stop = QMessageBox::Critical;
        const int question = QMessageBox::Question;
        QTest::newRow("stop box: Enter answers No")
            << int(widgets::Buttons::YesNoDefaultNo) << int(widgets::Icon::Stop) << "Enter" << stop << yesNo << int(widgets::Answer::No);
        QTest::newRow("stop box: Escape answers No")
            << int(widgets::Buttons::YesNoDefaultNo) << int(widgets::Icon::Stop) << "Escape" << stop << yesNo << int(widgets::Answer::No);
        QTest::newRow("stop box: Ja answers Yes")
            << int(widgets::Buttons::YesNoDefaultNo) << int(widgets::Icon::Stop) << "Ja" << stop << yesNo << int(widgets::Answer::Yes);
        QTest::newRow("stop box: Nein answers No")
            << int(widgets::Buttons::YesNoDefaultNo) << int(widgets::Icon::Stop) << "Nein" << stop << yesNo << int(widgets::Answer::No);
        QTest::newRow("question box: Enter answers No")
            << int(widgets::Buttons::YesNoDefaultNo) << int(widgets::Icon::Question) << "Enter" << question << yesNo << int(widgets::Answer::No);
        QTest::newRow("question box: Ja answers Yes")
            << int(widgets::Buttons::YesNoDefaultNo) << int(widgets::Icon::Question) << "Ja" << question << yesNo << int(widgets::Answer::Yes);
        QTest::newRow("Yes/No without second default: Enter answers Yes")
            << int(widgets::Buttons::YesNo) << int(widgets::Icon::Question) << "Enter" << question << yesNo << int(widgets::Answer::Yes);
        QTest::newRow("Yes/No: Escape answers No even when Yes is default")
            << int(widgets::Buttons::YesNo) << int(widgets::Icon::None) << "Escape" << int(QMessageBox::NoIcon) << yesNo << int(widgets::Answer::No);
        QTest::newRow("OK box: Enter")
            << int(widgets::Buttons::Ok) << int(widgets::Icon::None) << "Enter" << int(QMessageBox::NoIcon) << ok << int(widgets::Answer::Ok);
        QTest::newRow("OK box: Escape")
            << int(widgets::Buttons::Ok) << int(widgets::Icon::None) << "Escape" << int(QMessageBox::NoIcon) << ok << int(widgets::Answer::Ok);
        QTest::newRow("OK box: OK button")
            << int(widgets::Buttons::Ok) << int(widgets::Icon::None) << "OK" << int(QMessageBox::NoIcon) << ok << int(widgets::Answer::Ok);
    }
    void messageBoxes() {
        QFETCH(int, boxButtons);
        QFETCH(int, boxIcon);
        QFETCH(QString, action);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QFETCH(int, answer);
        QString title, text;
        int shownIcon = -1;
        QStringList shownButtons;
        QString defaultButton;
        ModalAnswer reply([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            shownIcon = box->icon();
            shownButtons = buttonTexts(box->buttons());
            if (box->defaultButton()) defaultButton = box->defaultButton()->text();
            if (action == QLatin1String("Enter"))
                keyToBox(box, Qt::Key_Return);
            else if (action == QLatin1String("Escape"))
                keyToBox(box, Qt::Key_Escape);
            else if (QAbstractButton* b = buttonNamed(box, action))
                QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        });
        const widgets::Answer got =
            rt.message(window, QStringLiteral("Schriftliche Division"),
                       QStringLiteral("Dieses Programm jetzt beenden?\r\r\r"),
                       {widgets::Buttons(boxButtons), widgets::Icon(boxIcon)});
        QVERIFY(reply.answered());
        QCOMPARE(int(got), answer);
        QCOMPARE(title, QStringLiteral("Schriftliche Division"));
        QCOMPARE(text.trimmed(), QStringLiteral("Dieses Programm jetzt beenden?"));
        QCOMPARE(shownIcon, icon);
        QCOMPARE(shownButtons, buttons);
        // The keyboard is given back to the window the box covered.
        settle();
        QCOMPARE(QApplication::activeWindow(), window);
    }

    void inputBoxes_data() {
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("action"); // "Enter", "OK", "Abbrechen" or "Escape"
        QTest::addColumn<QString>("result");
        QTest::newRow("typed text, Enter") << ""
                                           << "123"
                                           << "Enter"
                                           << "123";
        QTest::newRow("typed text, OK") << ""
                                        << "Kennwort"
                                        << "OK"
                                        << "Kennwort";
        QTest::newRow("default text kept") << "42"
                                           << ""
                                           << "Enter"
                                           << "42";
        QTest::newRow("default text extended") << "4"
                                               << "2"
                                               << "OK"
                                               << "42";
        QTest::newRow("cancel by Abbrechen gives nothing") << "7"
                                                           << "99"
                                                           << "Abbrechen"
                                                           << "";
        QTest::newRow("cancel by Escape gives nothing") << ""
                                                        << "99"
                                                        << "Escape"
                                                        << "";
    }
    void inputBoxes() {
        QFETCH(QString, defaultText);
        QFETCH(QString, typed);
        QFETCH(QString, action);
        QFETCH(QString, result);
        QString shownTitle, shownLabel, prefilled;
        QStringList shownButtons;
        ModalAnswer reply([&](QWidget* w) {
            auto* dlg = qobject_cast<QInputDialog*>(w);
            QVERIFY(dlg);
            shownTitle = dlg->windowTitle();
            shownLabel = dlg->labelText();
            auto* edit = dlg->findChild<QLineEdit*>();
            QVERIFY(edit);
            prefilled = edit->text();
            shownButtons = buttonTexts(dlg->findChild<QDialogButtonBox*>()->buttons());
            edit->setFocus();
            edit->end(false);
            QTest::keyClicks(edit, typed);
            if (action == QLatin1String("Enter"))
                QTest::keyClick(edit, Qt::Key_Return);
            else if (action == QLatin1String("Escape"))
                QTest::keyClick(edit, Qt::Key_Escape);
            else if (QAbstractButton* b = buttonNamed(dlg, action))
                QTest::mouseClick(b, Qt::LeftButton, {}, b->rect().center());
        });
        const QString got = rt.askText(window, QStringLiteral("Druckersperre"),
                                       QStringLiteral("Bitte das Kennwort eingeben:\r\r"),
                                       defaultText);
        QVERIFY(reply.answered());
        QCOMPARE(got, result);
        QCOMPARE(prefilled, defaultText);
        QCOMPARE(shownTitle, QStringLiteral("Druckersperre"));
        QCOMPARE(shownLabel.trimmed(), QStringLiteral("Bitte das Kennwort eingeben:"));
        shownButtons.sort();
        QCOMPARE(shownButtons, (QStringList{QStringLiteral("Abbrechen"), QStringLiteral("OK")}));
        settle();
        QCOMPARE(QApplication::activeWindow(), window);
    }

    void randomNumbersStayInRangeAndVary() {
        double lo = 1, hi = 0;
        QSet<double> seen;
        for (int i = 0; i < 2000; ++i) {
            const double r = rt.random();
            QVERIFY(r >= 0.0 && r < 1.0);
            lo = std::min(lo, r);
            hi = std::max(hi, r);
            seen.insert(r);
        }
        QVERIFY(lo < 0.01);
        QVERIFY(hi > 0.99);
        QVERIFY(seen.size() > 1990);
    }

  private:
    app::QtDesktop rt;
    widgets::WindowStack windows{rt};
    Window* window = nullptr;
};

QTEST_MAIN(QtDesktopTest)
#include "qt_desktop_test.moc"
