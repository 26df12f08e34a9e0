#include "form4.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <cmath>

#include "icons.h"
#include "modul1.h"
#include "runtime.h"
#include "twips.h"

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
        b->repeatClicks = true; // quick clicks each move the cross
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

QFont Form4::fontAtZoom(double points, double zoom) const {
    QFont f = shell::vbFont(QStringLiteral("MS Sans Serif"), points, true);
    // Sized through the twips mapping so text and cells scale alike; without
    // antialiasing, printing a text again in the back colour leaves no trace.
    f.setPixelSize(std::max(1, int(std::lround(points * 20 * zoom / tw::kTwipsPerPixel))));
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

void Form4::setFontSize(double points) {
    drawPoints_ = points;
    drawFont_ = fontAtZoom(points, zoom());
    printedTexts_.clear();
    setFont(drawFont_);
}

void Form4::Print(const QString& text) {
    PrintOp op{text,
               QPoint(int(std::lround(currentX_ * twipsPerUnit_)),
                      int(std::lround(currentY_ * twipsPerUnit_))),
               foreColor_, drawPoints_};
    for (int i = 0; i < printed_.size(); ++i) {
        const PrintOp& o = printed_.at(i);
        if (o.at == op.at && o.text == op.text && o.points == op.points) {
            printed_.removeAt(i);
            break; // there is never more than one
        }
    }
    const tw::Zoom z = tw::zoomOf(this);
    const QRect cell = cellOf(op, laidOut(op.text), z);
    dirtyCells_ |= cell;
    // An erase that lies on nothing printed before it changes no pixel. It is
    // not kept: the list is drawn on every paint, and the erased digits of
    // every jump would pile up in it. Near enough to count is generous, so
    // that rounding at another zoom cannot make it matter there.
    bool keep = op.colour != palette().color(QPalette::Window);
    const QRect near = cell.adjusted(-cell.width(), -cell.height(), cell.width(), cell.height());
    for (int i = 0; i < printed_.size() && !keep; ++i) {
        const PrintOp& o = printed_.at(i);
        keep = o.points != op.points || cellOf(o, laidOut(o.text), z).intersects(near);
    }
    if (keep) printed_.append(op);
    if (surfaceValid_) renderPrint(surfacePainter(), op, cell);
    if (!flushQueued_) {
        flushQueued_ = true;
        QMetaObject::invokeMethod(this, &Form4::flushPrints, Qt::QueuedConnection);
    }
    currentX_ = 0;
    // The next line follows in twips, the same at every zoom.
    const QFontMetrics base(fontAtZoom(drawPoints_, 1.0));
    currentY_ += double(tw::fromPx(base.height())) / twipsPerUnit_;
}

const Form4::PrintedText& Form4::laidOut(const QString& text) const {
    auto laid = printedTexts_.find(text);
    if (laid == printedTexts_.end()) {
        if (printedTexts_.size() > 64) printedTexts_.clear();
        const QFontMetrics fm(drawFont_);
        PrintedText t;
        t.text = QStaticText(text);
        t.text.setTextFormat(Qt::PlainText);
        t.text.setPerformanceHint(QStaticText::AggressiveCaching);
        t.text.prepare(QTransform(), drawFont_);
        t.width = fm.horizontalAdvance(text);
        t.height = fm.height();
        laid = printedTexts_.insert(text, t);
    }
    return *laid;
}

QRect Form4::cellOf(const PrintOp& op, const PrintedText& t, const tw::Zoom& z) {
    const auto px = [&z](int twips) {
        return int(std::lround(twips * z.factor / tw::kTwipsPerPixel));
    };
    return QRect(z.offset.x() + px(op.at.x()), z.offset.y() + px(op.at.y()), t.width, t.height);
}

void Form4::paintPrints(QPainter& p, const QRect& area) const {
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(drawFont_);
    const QColor back = palette().color(QPalette::Window);
    const tw::Zoom z = tw::zoomOf(this);
    for (const PrintOp& op : std::as_const(printed_)) {
        if (op.points != drawPoints_) {
            // Printed before the size changed: rare, so laid out on the spot.
            const QFont f = fontAtZoom(op.points, zoom());
            const QFontMetrics fm(f);
            PrintedText t;
            t.width = fm.horizontalAdvance(op.text);
            t.height = fm.height();
            const QRect cell = cellOf(op, t, z);
            if (!cell.intersects(area)) continue;
            // Opaque background: a caught digit vanishes under the cross printed on it.
            p.fillRect(cell, back);
            p.setFont(f);
            p.setPen(op.colour);
            p.drawText(cell.left(), cell.top() + fm.ascent(), op.text);
            p.setFont(drawFont_);
            continue;
        }
        const PrintedText& t = laidOut(op.text);
        const QRect cell = cellOf(op, t, z);
        if (!cell.intersects(area)) continue;
        p.fillRect(cell, back);
        p.setPen(op.colour);
        p.drawStaticText(cell.topLeft(), t.text);
    }
}

void Form4::renderPrint(QPainter& p, const PrintOp& op, const QRect& cell) {
    // Opaque background: a caught digit vanishes under the cross printed on it.
    p.fillRect(cell, palette().color(QPalette::Window));
    p.setFont(drawFont_);
    p.setPen(op.colour);
    p.drawStaticText(cell.topLeft(), laidOut(op.text).text);
}

QPainter& Form4::surfacePainter() {
    if (!surfacePainter_.isActive()) {
        surfacePainter_.begin(&surface_);
        surfacePainter_.setRenderHint(QPainter::TextAntialiasing, false);
        surfacePainter_.setRenderHint(QPainter::Antialiasing, false);
    }
    return surfacePainter_;
}

void Form4::endPrinting() const {
    if (surfacePainter_.isActive()) surfacePainter_.end();
}

void Form4::dropSurface() {
    endPrinting();
    surface_ = QImage();
    surfaceValid_ = false;
}

void Form4::buildSurface() {
    endPrinting();
    const qreal dpr = devicePixelRatioF();
    surface_ = QImage((QSizeF(size()) * dpr).toSize(), QImage::Format_RGB32);
    surface_.setDevicePixelRatio(dpr);
    surface_.fill(palette().color(QPalette::Window));
    QPainter p(&surface_);
    paintPrints(p, rect());
    surfaceValid_ = true;
}

void Form4::zoomChanged() {
    drawFont_ = fontAtZoom(drawPoints_, zoom());
    printedTexts_.clear();
    setFont(drawFont_);
    dropSurface();
    update();
}

void Form4::resizeEvent(QResizeEvent* e) {
    Form::resizeEvent(e);
    if (surfaceValid_ && surface_.size() != (QSizeF(size()) * devicePixelRatioF()).toSize())
        dropSurface();
}

void Form4::flushPrints() {
    flushQueued_ = false;
    endPrinting();
    // The game goes on at this size: from now on a jump prints into the image
    // and a repaint copies from it.
    if (!surfaceValid_) buildSurface();
    update(dirtyCells_);
    dirtyCells_ = QRect();
}

void Form4::Cls() {
    printed_.clear();
    if (surfaceValid_) {
        endPrinting();
        surface_.fill(palette().color(QPalette::Window));
    }
    currentX_ = 0;
    currentY_ = 0;
    update();
}

QImage Form4::surface() const {
    if (surfaceValid_) {
        endPrinting();
        return surface_;
    }
    const qreal dpr = devicePixelRatioF();
    QImage img((QSizeF(size()) * dpr).toSize(), QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(palette().color(QPalette::Window));
    QPainter p(&img);
    paintPrints(p, rect());
    return img;
}

void Form4::paintEvent(QPaintEvent* e) {
    // While the game is played the prints are kept in an image of the window
    // and a repaint copies from it. Right after the window changed its size
    // they are drawn from the list instead: a window grown to a whiteboard
    // would otherwise make, fill and copy an image of its size on every
    // resize. The background is the window's own, filled before this runs.
    QPainter p(this);
    if (surfaceValid_) {
        endPrinting();
        const qreal dpr = surface_.devicePixelRatio();
        const QRect r = e->rect();
        // Copied pixel for pixel: smoothing would only send it down Qt's
        // slow texture path.
        p.setRenderHint(QPainter::SmoothPixmapTransform, dpr != std::floor(dpr));
        p.drawImage(r, surface_,
                    QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
        return;
    }
    paintPrints(p, e->rect());
}

void Form4::printAtCell(int x, int y, const QString& text) {
    setCurrentX(kGridStep * x);
    setCurrentY(kGridStep * y);
    Print(text);
}

// ---------------------------------------------------------------- window events

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
    Modul1& m = modul1();
    EraseCross();
    m.CrossX = qint16(std::max(1, m.CrossX - 1));
    CheckCatch();
}

void Form4::Bild2_Click() {
    Modul1& m = modul1();
    EraseCross();
    m.CrossY = qint16(std::max(3, m.CrossY - 1));
    CheckCatch();
}

void Form4::Bild3_Click() {
    Modul1& m = modul1();
    EraseCross();
    m.CrossY = qint16(std::min(16, m.CrossY + 1));
    CheckCatch();
}

void Form4::Bild4_Click() {
    Modul1& m = modul1();
    EraseCross();
    m.CrossX = qint16(std::min(24, m.CrossX + 1));
    CheckCatch();
}

void Form4::EraseCross() {
    const Modul1& m = modul1();
    setForeColor(eraseColour());
    printAtCell(m.CrossX, m.CrossY, QStringLiteral("+"));
    setForeColor(shell::qbColor(1));
}

void Form4::CheckCatch() {
    Modul1& m = modul1();
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
    const Modul1& m = modul1();
    for (int i = 1; i <= m.DigitsLeft.size(); ++i)
        printAtCell(m.DigitX[i], m.DigitY[i], m.DigitsLeft.mid(i - 1, 1));
}

void Form4::EraseDigits() {
    setForeColor(eraseColour());
    DrawDigits();
    setForeColor(shell::qbColor(1));
}

void Form4::ScatterDigits() {
    Modul1& m = modul1();
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
    if (finishing_ || modul1().DigitsLeft.isEmpty()) return;
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
