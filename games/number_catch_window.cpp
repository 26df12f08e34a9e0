#include "number_catch_window.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "accessible_controls.h"
#include "double_click.h"
#include "controls.h"
#include "fonts.h"
#include "icons.h"
#include "desktop.h"
#include "twips.h"
#include "window_stack.h"

namespace games {

namespace {
const QColor kBack(192, 192, 255);
const QColor kDigits(0, 0, 128); // the digits and the cross
const QColor kNextDigit(255, 0, 0);
const QString kTitle = QStringLiteral("Zahlfange");
const QString kCross = QStringLiteral("+");
} // namespace

NumberCatchWindow::NumberCatchWindow(widgets::WindowStack& windows) : ProgramWindow(windows) {
    setObjectName(QStringLiteral("numberCatchWindow"));
    setWindowTitle(kTitle);
    setClientTwips(7245, 5085, Growing);
    // The game is left only through "ENDE" or Esc: no close box.
    setWindowFlags(growingFlags());
    widgets::fillBackground(this, kBack);
    setKeyPreview(true);

    const QFont small = widgets::sansFont(8.25, true);

    endButton =
        new widgets::CommandButton(this, QStringLiteral("endButton"), QStringLiteral("ENDE"));
    tw::place(endButton, 120, 120, 735, 495);
    endButton->setFont(small);
    connect(endButton, &QPushButton::clicked, this, [this] { askToEnd(); });

    // Left, up, down, right: the order of the pictures and of icons::arrow.
    const QString arrowNames[] = {QStringLiteral("leftArrow"), QStringLiteral("upArrow"),
                                  QStringLiteral("downArrow"), QStringLiteral("rightArrow")};
    widgets::PictureButton** arrows[] = {&leftArrow, &upArrow, &downArrow, &rightArrow};
    for (int i = 0; i < 4; ++i) {
        auto* b = new widgets::PictureButton(this, arrowNames[i]);
        tw::place(b, 1200 + 480 * i, 120, 495, 495);
        b->setPicture([i](QPainter& p, const QRectF& r) { icons::arrow(p, r, i); });
        b->setFocusPolicy(Qt::StrongFocus);
        widgets::takeEveryPress(b); // quick clicks each move the cross
        *arrows[i] = b;
    }
    const char* const arrowWords[] = {"nach links", "nach oben", "nach unten", "nach rechts"};
    for (int i = 0; i < 4; ++i)
        (*arrows[i])->setAccessibleName(QString::fromUtf8(arrowWords[i]));
    connect(leftArrow, &QAbstractButton::clicked, this, [this] { moveLeft(); });
    connect(upArrow, &QAbstractButton::clicked, this, [this] { moveUp(); });
    connect(downArrow, &QAbstractButton::clicked, this, [this] { moveDown(); });
    connect(rightArrow, &QAbstractButton::clicked, this, [this] { moveRight(); });

    nextDigitLabel = new widgets::Label(this, QStringLiteral("nextDigitLabel"));
    tw::place(nextDigitLabel, 3480, 120, 375, 495);
    nextDigitLabel->setColours(kNextDigit, kBack);
    nextDigitLabel->setFont(widgets::sansFont(24, true));
    nextDigitLabel->setFramed(true);
    // A framed label indents its text by half an "x"; in this narrow box that
    // pushes the 24-point digit out over the left edge.
    nextDigitLabel->setIndent(0);
    // Centred vertically: the 24-point line is taller than the label.
    nextDigitLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    nextDigitLabel->setText(QStringLiteral("0"));
    nextDigitLabel->setAccessibleName(QStringLiteral("nächste Ziffer"));
    widgets::holdsNumber(nextDigitLabel);

    // The box first, so the speed control lies on it.
    speedPanel = new widgets::Shape(this, QStringLiteral("speedPanel"));
    tw::place(speedPanel, 4200, 120, 2895, 495);
    speedPanel->setFill(kBack);

    auto caption = [&](const QString& name, const QString& text, int left) {
        auto* label = new widgets::Label(this, name, text);
        tw::place(label, left, 240, 735, 255);
        label->setFont(small);
        label->setBackground(kBack);
        return label;
    };
    fastLabel = caption(QStringLiteral("fastLabel"), QStringLiteral("schnell"), 4320);

    speedBar = new QScrollBar(Qt::Horizontal, this);
    speedBar->setObjectName(QStringLiteral("speedBar"));
    tw::place(speedBar, 5040, 240, 1095, 255);
    speedBar->setRange(1, 10);
    speedBar->setSingleStep(1);
    speedBar->setPageStep(1);
    speedBar->setValue(7);
    speedBar->setFocusPolicy(Qt::StrongFocus);
    // The pace changes by mouse or finger on the bar only, never by a key.
    speedBar->installEventFilter(this);
    // Each quick click on its arrows is one more step.
    widgets::takeEveryPress(speedBar);
    speedBar->setAccessibleName(QStringLiteral("Tempo"));
    speedBar->setAccessibleDescription(QStringLiteral("links schnell, rechts langsam"));
    connect(speedBar, &QScrollBar::valueChanged, this, [this] { paceChanged(); });
    connect(speedBar, &QScrollBar::sliderMoved, this, [this] { paceChanged(); });

    slowLabel = caption(QStringLiteral("slowLabel"), QStringLiteral("langsam"), 6240);

    field = new widgets::Shape(this, QStringLiteral("field"));
    tw::place(field, 120, 720, 6975, 4215);
    field->setNoFill();
    field->setBorderColour(Qt::black);
    field->setAccessibleName(QStringLiteral("Spielfeld"));

    setTabOrder(endButton, leftArrow);
    setTabOrder(leftArrow, upArrow);
    setTabOrder(upArrow, downArrow);
    setTabOrder(downArrow, rightArrow);
    setTabOrder(rightArrow, speedBar);

    jumpTimer = new QTimer(this);
    jumpTimer->setObjectName(QStringLiteral("jumpTimer"));
    jumpTimer->setInterval(1000);
    connect(jumpTimer, &QTimer::timeout, this, [this] { jump(); });
}

// ---------------------------------------------------------------- drawing

void NumberCatchWindow::zoomChanged() {
    numberField_.zoomChanged();
}

void NumberCatchWindow::resizeEvent(QResizeEvent* e) {
    ProgramWindow::resizeEvent(e);
    numberField_.resized();
}

void NumberCatchWindow::paintEvent(QPaintEvent* e) {
    // The background is the window's own, filled before this runs.
    QPainter p(this);
    numberField_.paint(p, e->rect());
}

void NumberCatchWindow::drawDigits(bool erase) {
    for (const NumberCatchGame::Digit& d : game_.digitsLeft()) {
        if (erase)
            numberField_.erase(QString::number(d.value), d.cell);
        else
            numberField_.draw(QString::number(d.value), d.cell, kDigits);
    }
}

// ---------------------------------------------------------------- window events

void NumberCatchWindow::open(widgets::ProgramWindow& from) {
    from_ = &from;
    numberField_.clear();
    // The digits wait unseen on their diagonal until the first jump; the
    // next-digit label shows them from the first move.
    game_ = NumberCatchGame();
    jumpTimer->start(speedBar->value() * 1000);
    // The game opens as large as the exercise was, at the board as at the desk.
    takeSizeFrom(&from);
    stack().hide(&from);
    stack().show(this);
}

void NumberCatchWindow::broughtToFront() {
    centreOnScreen();
}

bool NumberCatchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == speedBar && event->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(event)->key();
        return k != Qt::Key_Tab && k != Qt::Key_Backtab; // Tab still moves on
    }
    return ProgramWindow::eventFilter(watched, event);
}

bool NumberCatchWindow::closeRequested() {
    return false;
}

void NumberCatchWindow::keyPressed(QKeyEvent* e) {
    // The arrows and Esc steer the game and nothing else: the control with
    // the focus (the speed bar among them) never sees them.
    switch (e->key()) {
    case Qt::Key_Left:
        takeKey();
        moveLeft();
        break;
    case Qt::Key_Up:
        takeKey();
        moveUp();
        break;
    case Qt::Key_Right:
        takeKey();
        moveRight();
        break;
    case Qt::Key_Down:
        takeKey();
        moveDown();
        break;
    case Qt::Key_Escape:
        takeKey();
        askToEnd();
        break;
    default:
        break;
    }
}

void NumberCatchWindow::askToEnd() {
    // Qt keeps delivering ticks while a box is open: hold the clock while the
    // child decides, so the digits do not jump behind the question.
    const bool running = jumpTimer->isActive();
    jumpTimer->stop();
    const widgets::Answer answer =
        desktop().message(this, kTitle, QStringLiteral("  Dieses Spiel jetzt beenden?"),
                          {widgets::Buttons::YesNo, widgets::Icon::Stop});
    if (answer == widgets::Answer::Yes) {
        end();
    } else if (running) {
        jumpTimer->start();
    }
}

// ---------------------------------------------------------------- playing

void NumberCatchWindow::steer(NumberCatchGame::Direction d) {
    numberField_.erase(kCross, game_.cross());
    game_.move(d);
    catchAndShow();
}

// After each move and jump: the cross takes the next digit if it is on its
// cell, and is drawn over whatever lies there.
void NumberCatchWindow::catchAndShow() {
    if (game_.catchNext()) drawDigits(false);
    numberField_.draw(kCross, game_.cross(), kDigits);
    widgets::showText(nextDigitLabel, game_.finished()
                                          ? QString()
                                          : QString::number(game_.digitsLeft().front().value));
    const QString where = QStringLiteral("Kreuz in Spalte %1, Zeile %2")
                              .arg(game_.cross().column + 1)
                              .arg(game_.cross().row + 1);
    if (field->accessibleDescription() != where) field->setAccessibleDescription(where);
    if (game_.finished()) finish();
}

void NumberCatchWindow::jump() {
    // A tick that was due when the last digit fell finds nothing left to play.
    if (finishing_ || game_.finished()) return;
    drawDigits(true);
    game_.jump([this] { return desktop().random(); });
    drawDigits(false);
    catchAndShow();
}

void NumberCatchWindow::paceChanged() {
    // While the thumb is dragged the position runs ahead of the value.
    jumpTimer->setInterval(speedBar->sliderPosition() * 1000);
    leftArrow->setFocus();
}

void NumberCatchWindow::finish() {
    // Stop the clock before the box: a tick inside it would finish the game twice.
    if (finishing_) return;
    finishing_ = true;
    jumpTimer->stop();
    desktop().message(this, kTitle, QStringLiteral("  Das Spiel ist beendet!"));
    end();
    finishing_ = false;
}

void NumberCatchWindow::end() {
    jumpTimer->setInterval(1000);
    jumpTimer->stop();
    stack().hide(this);
    if (from_) stack().show(from_);
}

} // namespace games
