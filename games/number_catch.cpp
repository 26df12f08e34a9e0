#include "number_catch.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "double_click.h"
#include "icons.h"
#include "runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace games {

namespace {
constexpr int kGridStep = 14; // points between cells
constexpr quint32 kBack = 0xFFC0C0;
const QString kTitle = QStringLiteral("Zahlfange");
} // namespace

Form4::Form4(QWidget* parent) : Form(parent) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(kTitle);
    setClientTwips(7245, 5085, Growing);
    // The game is left only through "ENDE" or Esc: no close box.
    setWindowFlags(growingFlags());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, shell::bgr(kBack));
    setPalette(pal);
    setKeyPreview(true);

    const QString ms = QStringLiteral("MS Sans Serif");
    const QFont small = shell::vbFont(ms, 8.25, true);
    foreColor_ = shell::qbColor(0);

    Befehl1 = new shell::VbButton(this, QStringLiteral("Befehl1"), QStringLiteral("ENDE"));
    tw::place(Befehl1, 120, 120, 735, 495);
    Befehl1->setFont(small);
    connect(Befehl1, &QPushButton::clicked, this, [this] { Befehl1_Click(); });

    shell::VbPicture** arrows[4] = {&Bild1, &Bild2, &Bild3, &Bild4};
    for (int i = 0; i < 4; ++i) {
        auto* b = new shell::VbPicture(this, QStringLiteral("Bild%1").arg(i + 1));
        tw::place(b, 1200 + 480 * i, 120, 495, 495);
        b->setPicture([i](QPainter& p, const QRectF& r) { icons::arrow(p, r, i); });
        b->setFocusPolicy(Qt::StrongFocus);
        shell::takeEveryPress(b); // quick clicks each move the cross
        *arrows[i] = b;
    }
    Bild1->onClick = [this] { Bild1_Click(); };
    Bild2->onClick = [this] { Bild2_Click(); };
    Bild3->onClick = [this] { Bild3_Click(); };
    Bild4->onClick = [this] { Bild4_Click(); };

    Bezeichnung3 = new shell::VbLabel(this, QStringLiteral("Bezeichnung3"));
    tw::place(Bezeichnung3, 3480, 120, 375, 495);
    Bezeichnung3->setForeColor(0x0000FF);
    Bezeichnung3->setBackColor(kBack);
    Bezeichnung3->setFont(shell::vbFont(ms, 24, true));
    Bezeichnung3->setBorder(true);
    // A framed label indents its text by half an "x"; in this narrow box that
    // pushes the 24-point digit out over the left edge.
    Bezeichnung3->setIndent(0);
    // Centred vertically: the 24-point line is taller than the label.
    Bezeichnung3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Bezeichnung3->setCaption(QStringLiteral("0"));

    // The box first, so the speed control lies on it.
    Figur1 = new shell::VbShape(this, QStringLiteral("Figur1"));
    tw::place(Figur1, 4200, 120, 2895, 495);
    Figur1->setFill(kBack);

    auto caption = [&](const QString& name, const QString& text, int left) {
        auto* lab = new shell::VbLabel(this, name);
        tw::place(lab, left, 240, 735, 255);
        lab->setFont(small);
        lab->setBackColor(kBack);
        lab->setCaption(text);
        return lab;
    };
    Bezeichnung1 = caption(QStringLiteral("Bezeichnung1"), QStringLiteral("schnell"), 4320);

    HBildlauf1 = new QScrollBar(Qt::Horizontal, this);
    HBildlauf1->setObjectName(QStringLiteral("HBildlauf1"));
    tw::place(HBildlauf1, 5040, 240, 1095, 255);
    HBildlauf1->setRange(1, 10);
    HBildlauf1->setSingleStep(1);
    HBildlauf1->setPageStep(1);
    HBildlauf1->setValue(7);
    HBildlauf1->setFocusPolicy(Qt::StrongFocus);
    // The pace changes by mouse or finger on the bar only, never by a key.
    HBildlauf1->installEventFilter(this);
    // Each quick click on its arrows is one more step.
    shell::takeEveryPress(HBildlauf1);
    connect(HBildlauf1, &QScrollBar::valueChanged, this, [this] { HBildlauf1_Change(); });
    connect(HBildlauf1, &QScrollBar::sliderMoved, this, [this] { HBildlauf1_Scroll(); });

    Bezeichnung2 = caption(QStringLiteral("Bezeichnung2"), QStringLiteral("langsam"), 6240);

    Figur2 = new shell::VbShape(this, QStringLiteral("Figur2"));
    tw::place(Figur2, 120, 720, 6975, 4215);
    Figur2->setTransparentFill();
    Figur2->setBorderColor(0x000000);

    setTabOrder(Befehl1, Bild1);
    setTabOrder(Bild1, Bild2);
    setTabOrder(Bild2, Bild3);
    setTabOrder(Bild3, Bild4);
    setTabOrder(Bild4, HBildlauf1);

    Zeit1 = new QTimer(this);
    Zeit1->setObjectName(QStringLiteral("Zeit1"));
    Zeit1->setInterval(1000);
    connect(Zeit1, &QTimer::timeout, this, [this] { Zeit1_Timer(); });

    setFontSize(13.5);
}

// ---------------------------------------------------------------- drawing

void Form4::setFontSize(double points) {
    canvas_.setPoints(points);
}

void Form4::Print(const QString& text) {
    canvas_.print(text,
                  QPoint(int(std::lround(currentX_ * twipsPerUnit_)),
                         int(std::lround(currentY_ * twipsPerUnit_))),
                  foreColor_);
    currentX_ = 0;
    // The next line follows in twips, the same at every zoom.
    currentY_ += double(canvas_.lineTwips()) / twipsPerUnit_;
}

void Form4::Cls() {
    canvas_.clear();
    currentX_ = 0;
    currentY_ = 0;
}

QImage Form4::surface() const {
    return canvas_.image();
}

void Form4::zoomChanged() {
    canvas_.zoomChanged();
}

void Form4::resizeEvent(QResizeEvent* e) {
    Form::resizeEvent(e);
    canvas_.resized();
}

void Form4::paintEvent(QPaintEvent* e) {
    // The background is the window's own, filled before this runs.
    QPainter p(this);
    canvas_.paint(p, e->rect());
}

void Form4::printAtCell(int x, int y, const QString& text) {
    setCurrentX(kGridStep * x);
    setCurrentY(kGridStep * y);
    Print(text);
}

// ---------------------------------------------------------------- window events

void Form4::start(const shell::Form& sizeFrom) {
    setForeColor(shell::qbColor(1));
    setFontSize(13.5);
    setScaleModePoints();
    Cls();
    Modul1& m = MODUL1;
    m.CrossX = 14;
    m.CrossY = 9;
    for (int i = 1; i <= 10; ++i) {
        m.DigitX[i] = qint16(i + 3);
        m.DigitY[i] = qint16(i + 3);
    }
    m.DigitsLeft = QStringLiteral("0123456789");
    Zeit1->start();
    Zeit1->setInterval(HBildlauf1->value() * 1000);
    // The game opens as large as the exercise was, at the board as at the desk.
    takeSizeFrom(&sizeFrom);
}

void Form4::Form_Activate() {
    centreOnScreen();
}

bool Form4::eventFilter(QObject* watched, QEvent* event) {
    if (watched == HBildlauf1 && event->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(event)->key();
        return k != Qt::Key_Tab && k != Qt::Key_Backtab; // Tab still moves on
    }
    return Form::eventFilter(watched, event);
}

void Form4::Form_Unload(bool& cancel) {
    cancel = true;
}

void Form4::Form_KeyDown(int keyCode, int) {
    // The arrows and Esc steer the game and nothing else: the control with
    // the focus (the speed bar among them) never sees them.
    if (keyCode == 27 || (keyCode >= 37 && keyCode <= 40)) takeKey();
    switch (keyCode) {
    case 37:
        Bild1_Click();
        break;
    case 38:
        Bild2_Click();
        break;
    case 39:
        Bild4_Click();
        break;
    case 40:
        Bild3_Click();
        break;
    case 27:
        Befehl1_Click();
        break;
    default:
        break;
    }
}

void Form4::Befehl1_Click() {
    // Qt keeps delivering ticks while a box is open: hold the clock while the
    // child decides, so the digits do not jump behind the question.
    const bool running = Zeit1->isActive();
    Zeit1->stop();
    const int answer = shell::runtime().msgBox(QStringLiteral("  Dieses Spiel jetzt beenden?"),
                                               shell::YesNo + shell::StopIcon, kTitle);
    if (answer == shell::AnswerYes) {
        EndNumberCatch();
    } else if (running) {
        Zeit1->start();
    }
}

// ---------------------------------------------------------------- the cross

void Form4::Bild1_Click() {
    Modul1& m = MODUL1;
    EraseCross();
    m.CrossX = qint16(std::max(1, m.CrossX - 1));
    CheckCatch();
}

void Form4::Bild2_Click() {
    Modul1& m = MODUL1;
    EraseCross();
    m.CrossY = qint16(std::max(3, m.CrossY - 1));
    CheckCatch();
}

void Form4::Bild3_Click() {
    Modul1& m = MODUL1;
    EraseCross();
    m.CrossY = qint16(std::min(16, m.CrossY + 1));
    CheckCatch();
}

void Form4::Bild4_Click() {
    Modul1& m = MODUL1;
    EraseCross();
    m.CrossX = qint16(std::min(24, m.CrossX + 1));
    CheckCatch();
}

void Form4::EraseCross() {
    const Modul1& m = MODUL1;
    setForeColor(eraseColour());
    printAtCell(m.CrossX, m.CrossY, QStringLiteral("+"));
    setForeColor(shell::qbColor(1));
}

void Form4::CheckCatch() {
    Modul1& m = MODUL1;
    if (m.DigitX[1] == m.CrossX && m.DigitY[1] == m.CrossY && !m.DigitsLeft.isEmpty()) {
        for (int i = 1; i <= m.DigitsLeft.size() - 1; ++i) {
            m.DigitX[i] = m.DigitX[i + 1];
            m.DigitY[i] = m.DigitY[i + 1];
        }
        m.DigitsLeft.remove(0, 1);
        DrawDigits();
    }
    printAtCell(m.CrossX, m.CrossY, QStringLiteral("+"));
    Bezeichnung3->setCaption(m.DigitsLeft.left(1));
    if (m.DigitsLeft.isEmpty()) FinishNumberCatch();
}

// ---------------------------------------------------------------- the digits

void Form4::DrawDigits() {
    const Modul1& m = MODUL1;
    for (int i = 1; i <= m.DigitsLeft.size(); ++i)
        printAtCell(m.DigitX[i], m.DigitY[i], m.DigitsLeft.mid(i - 1, 1));
}

void Form4::EraseDigits() {
    setForeColor(eraseColour());
    DrawDigits();
    setForeColor(shell::qbColor(1));
}

void Form4::ScatterDigits() {
    Modul1& m = MODUL1;
    shell::Runtime& rt = shell::runtime();
    for (int i = 1; i <= m.DigitsLeft.size(); ++i) {
        // No two digits share a row or a column; the cross's cell is allowed.
        bool clash = true;
        while (clash) {
            m.DigitX[i] = qint16(1 + int(rt.rnd() * 24));
            m.DigitY[i] = qint16(3 + int(rt.rnd() * 14));
            clash = false;
            for (int j = 1; j < i; ++j)
                if (m.DigitX[j] == m.DigitX[i] || m.DigitY[j] == m.DigitY[i]) clash = true;
        }
        printAtCell(m.DigitX[i], m.DigitY[i], m.DigitsLeft.mid(i - 1, 1));
    }
}

void Form4::Zeit1_Timer() {
    // A tick that was due when the last digit fell finds nothing left to play.
    if (finishing_ || MODUL1.DigitsLeft.isEmpty()) return;
    EraseDigits();
    ScatterDigits();
    CheckCatch();
}

// ---------------------------------------------------------------- speed and end

void Form4::HBildlauf1_Change() {
    // While the thumb is dragged the position runs ahead of the value.
    Zeit1->setInterval(HBildlauf1->sliderPosition() * 1000);
    Bild1->setFocus();
}

void Form4::HBildlauf1_Scroll() {
    HBildlauf1_Change();
}

void Form4::FinishNumberCatch() {
    // Stop the clock before the box: a tick inside it would finish the game twice.
    if (finishing_) return;
    finishing_ = true;
    Zeit1->stop();
    shell::runtime().msgBox(QStringLiteral("  Das Spiel ist beendet!"), shell::OkOnly, kTitle);
    EndNumberCatch();
    finishing_ = false;
}

void Form4::EndNumberCatch() {
    Zeit1->setInterval(1000);
    Zeit1->stop();
    shell::forms::hide(this);
    if (exerciseWindow) {
        if (shell::Form* f = exerciseWindow()) shell::forms::show(f);
    }
}

} // namespace games
