// The controls of the exercise window, in twips, in stacking order: what is
// made later lies on top.
#include "exercise_window.h"
#include "icons.h"
#include "twips.h"

namespace trainer {

using shell::VbLabel;
using shell::VbLine;
using shell::VbPicture;
using shell::VbShape;

namespace {
constexpr quint32 kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x008000, kYellow = 0x00FFFF;
constexpr quint32 kLight = 0xFFC0C0, kDark = 0xFF8080;

QString ms() {
    return QStringLiteral("MS Sans Serif");
}

VbShape* filledBox(QWidget* parent, const char* name, int l, int t, int w, int h, quint32 fill) {
    auto* s = new VbShape(parent, QLatin1String(name));
    tw::place(s, l, t, w, h);
    s->setFill(fill);
    s->setBorderColor(fill);
    return s;
}

VbShape* dot(QWidget* parent, const char* name, int l, int t, int w, int h) {
    auto* s = new VbShape(parent, QLatin1String(name), VbShape::Circle);
    tw::place(s, l, t, w, h);
    s->setFill(0x000000);
    s->setBorderColor(0x000000);
    return s;
}

VbLine* line(QWidget* parent, const char* name, int x1, int y1, int x2, int y2) {
    return new VbLine(parent, QLatin1String(name), x1, y1, x2, y2, 0x000000, 3);
}

// The keyboard marker: a key cap laid over the selected cell, parked at start.
VbPicture* keyMarker(QWidget* parent, const char* name, int left, int top, quint32 colour) {
    auto* m = new VbPicture(parent, QLatin1String(name));
    tw::place(m, left, top, 495, 495);
    m->setBackColor(colour);
    m->setPicture(
        [colour](QPainter& p, const QRectF& r) { icons::keyCap(p, r, shell::bgr(colour)); });
    m->setToolTip(QStringLiteral("Tippe jetzt die Ziffer ein"));
    return m;
}

VbLabel* hiddenLabel(QWidget* parent, const char* name, int l, int t, const QString& caption) {
    auto* lab = new VbLabel(parent, QLatin1String(name));
    tw::place(lab, l, t, 495, 255);
    lab->setCaption(caption);
    lab->hide();
    return lab;
}
} // namespace

void Form1::buildLayout() {
    Figur6 = new VbShape(this, QStringLiteral("Figur6"));
    tw::place(Figur6, 960, 720, 7095, 4695);
    Figur6->setTransparentFill();
    Figur6->setBorderColor(0x000000);

    buildNormalLayout();

    licht = keyMarker(this, "licht", kLichtParking.x(), kLichtParking.y(), 0xFFFF00);

    buildRemainderLayout();

    auto button = [this](const char* name, const char* caption, int left) {
        auto* b = new shell::VbButton(this, QLatin1String(name), QString::fromUtf8(caption));
        tw::place(b, left, 120, 1335, 495);
        return b;
    };
    Befehl1 = button("Befehl1", "Ende", 960);
    Befehl15 = button("Befehl15", "Hilfe", 2400);
    Befehl21 = button("Befehl21", "Normal", 3840);
    Befehl20 = button("Befehl20", "mit Rest", 5280);
    Befehl14 = button("Befehl14", "Blatt", 6720);

    // Large digits on the keys: they are what the child picks up.
    const QFont keyFont = shell::vbFont(ms(), 13.5, true);
    for (int digit = 0; digit < 10; ++digit) {
        auto* k = new shell::DragButton(this, QStringLiteral("Befehl%1").arg(digit + 2),
                                        QString::number(digit));
        tw::place(k, 960 + 720 * digit, 5520, 615, 495);
        k->setFont(keyFont);
        k->setCursor(Qt::OpenHandCursor);
        DigitKey[digit] = k;
    }

    buildCounterColumn();
    buildLadderAndPrompts();
    buildHiddenState();
}

shell::VbLabel* Form1::makeCell(QWidget* parent, const char* name, int left, int top, quint32 back,
                                quint32 fore) {
    auto* c = new VbLabel(parent, QLatin1String(name));
    tw::place(c, left, top, 495, 495);
    c->setFont(shell::vbFont(ms(), 24, true));
    c->setAlignment(Qt::AlignCenter);
    c->setBackColor(back);
    c->setForeColor(fore);
    cells_.insert(QLatin1String(name), c);
    return c;
}

void Form1::buildNormalLayout() {
    QWidget* w = this;
    Bezeichnung1 = makeCell(w, "Bezeichnung1", 1560, 840, kLight, 0x000000);
    Bezeichnung2 = makeCell(w, "Bezeichnung2", 2160, 840, kLight, 0x000000);
    Bezeichnung3 = makeCell(w, "Bezeichnung3", 2760, 840, kLight, 0x000000);
    Bezeichnung4 = makeCell(w, "Bezeichnung4", 3360, 840, kLight, 0x000000);
    Bezeichnung5 = makeCell(w, "Bezeichnung5", 4440, 840, kLight, 0x800000);
    Bezeichnung6 = makeCell(w, "Bezeichnung6", 5760, 840, kDark, kRed);
    Bezeichnung20 = makeCell(w, "Bezeichnung20", 6360, 840, kDark, kBlue);
    Bezeichnung27 = makeCell(w, "Bezeichnung27", 6960, 840, kDark, kGreen);
    Bezeichnung7 = makeCell(w, "Bezeichnung7", 1560, 1440, kDark, kRed);
    Bezeichnung8 = makeCell(w, "Bezeichnung8", 2160, 1440, kDark, kRed);
    Bezeichnung9 = makeCell(w, "Bezeichnung9", 2160, 2160, kDark, kBlue);
    Bezeichnung10 = makeCell(w, "Bezeichnung10", 2760, 2160, kDark, kBlue);
    Bezeichnung11 = makeCell(w, "Bezeichnung11", 2160, 2760, kDark, kBlue);
    Bezeichnung12 = makeCell(w, "Bezeichnung12", 2760, 2760, kDark, kBlue);
    Bezeichnung13 = makeCell(w, "Bezeichnung13", 2760, 3480, kDark, kGreen);
    Bezeichnung17 = makeCell(w, "Bezeichnung17", 3360, 3480, kDark, kGreen);
    Bezeichnung18 = makeCell(w, "Bezeichnung18", 2760, 4080, kDark, kGreen);
    Bezeichnung19 = makeCell(w, "Bezeichnung19", 3360, 4080, kDark, kGreen);
    Bezeichnung28 = makeCell(w, "Bezeichnung28", 3360, 4800, kDark, kYellow);

    Figur3 = dot(w, "Figur3", 4080, 930, 150, 150);
    Figur7 = dot(w, "Figur7", 4080, 1125, 135, 150);
    Linie10 = line(w, "Linie10", 5160, 1035, 5520, 1035);
    Linie11 = line(w, "Linie11", 5160, 1200, 5520, 1200);
    Linie1 = line(w, "Linie1", 1560, 2040, 2640, 2040);
    Linie6 = line(w, "Linie6", 2160, 3360, 3240, 3360);
    Linie7 = line(w, "Linie7", 2760, 4680, 3840, 4680);
}

void Form1::buildRemainderLayout() {
    Bild6 = new VbPicture(this, QStringLiteral("Bild6"));
    tw::place(Bild6, 960, 7200, 7095, 4695);
    Bild6->setBackColor(kDark);
    QWidget* b = Bild6;
    luecke[0] = nullptr;
    struct CellPlace {
        int left, top;
        quint32 back, fore;
    };
    static const CellPlace places[22] = {
        {0, 0, 0, 0},
        {120, 120, kDark, 0x000000},
        {720, 120, kDark, 0x000000},
        {1320, 120, kDark, 0x000000},
        {1920, 120, kDark, 0x000000},
        {3000, 120, kDark, kGreen},
        {4080, 120, kLight, kRed},
        {4680, 120, kLight, kBlue},
        {5280, 120, kLight, kGreen},
        {5880, 120, kDark, 0x000000},
        {6480, 120, kLight, kYellow},
        {120, 720, kLight, kRed},
        {720, 720, kLight, kRed},
        {720, 1440, kLight, kBlue},
        {1320, 1440, kLight, kBlue},
        {720, 2040, kLight, kBlue},
        {1320, 2040, kLight, kBlue},
        {1320, 2760, kLight, kGreen},
        {1920, 2760, kLight, kGreen},
        {1320, 3360, kLight, kGreen},
        {1920, 3360, kLight, kGreen},
        {1920, 4080, kLight, kYellow},
    };
    static const char* const names[22] = {
        "",         "luecke1",  "luecke2",  "luecke3",  "luecke4",  "luecke5",
        "luecke6",  "luecke7",  "luecke8",  "luecke9",  "luecke10", "luecke11",
        "luecke12", "luecke13", "luecke14", "luecke15", "luecke16", "luecke17",
        "luecke18", "luecke19", "luecke20", "luecke21"};
    for (int i = 1; i <= 21; ++i)
        luecke[i] =
            makeCell(b, names[i], places[i].left, places[i].top, places[i].back, places[i].fore);
    luecke[9]->setCaption(QStringLiteral("R"));

    Figur4 = dot(b, "Figur4", 2640, 200, 150, 150);
    Figur8 = dot(b, "Figur8", 2640, 400, 150, 150);
    Linie2 = line(b, "Linie2", 3600, 300, 3960, 300);
    Linie3 = line(b, "Linie3", 3600, 450, 3960, 450);
    Linie5 = line(b, "Linie5", 120, 1320, 1200, 1320);
    Linie8 = line(b, "Linie8", 720, 2640, 1800, 2640);
    Linie9 = line(b, "Linie9", 1320, 3960, 2400, 3960);

    licht2 = keyMarker(b, "licht2", kLicht2Parking.x(), kLicht2Parking.y(), 0xFFFF80);
}

void Form1::buildCounterColumn() {
    Figur2 = filledBox(this, "Figur2", 120, 120, 735, 6375, 0x000000);
    auto letter = [this](const char* name, const char* caption, int top) {
        auto* lab = new VbLabel(this, QLatin1String(name));
        tw::place(lab, 240, top, 495, 255);
        lab->setCaption(QLatin1String(caption));
        lab->setFont(shell::vbFont(ms(), 12, true));
        lab->setAlignment(Qt::AlignCenter);
        lab->setBackColor(0x000000);
        lab->setForeColor(0xFFFFFF);
        return lab;
    };
    Bezeichnung24 = letter("Bezeichnung24", "R", 2115);
    Bezeichnung25 = letter("Bezeichnung25", "F", 3600);
    Bezeichnung24->setToolTip(QStringLiteral("Richtige Ziffern"));
    Bezeichnung25->setToolTip(QStringLiteral("Fehler"));

    auto counter = [this](const char* boxName, const char* name, int top, VbPicture*& box) {
        box = new VbPicture(this, QLatin1String(boxName));
        tw::place(box, 240, top, 495, 495);
        box->setBackColor(0x008000);
        auto* lab = new VbLabel(box, QLatin1String(name));
        tw::place(lab, 60, 120, 375, 255);
        lab->setCaption(QStringLiteral("0"));
        lab->setAlignment(Qt::AlignCenter);
        lab->setBackColor(0x008000);
        lab->setForeColor(0xFFFFFF);
        return lab;
    };
    Bezeichnung22 = counter("Bild4", "Bezeichnung22", 2400, Bild4);
    Linie4 = new VbLine(this, QStringLiteral("Linie4"), 240, 3000, 720, 3000, 0xFFFFFF, 2);
    Bezeichnung23 = counter("Bild5", "Bezeichnung23", 3120, Bild5);
}

void Form1::buildLadderAndPrompts() {
    Figur1 = filledBox(this, "Figur1", 8160, 120, 735, 6375, 0x000000);
    Bild2 = new VbPicture(this, QStringLiteral("Bild2"));
    tw::place(Bild2, 8280, 240, 495, 495);
    Bild2->setBackColor(0x000000);
    Bild2->setPicture([](QPainter& p, const QRectF& r) { icons::goal(p, r); });
    Bild1 = new VbPicture(this, QStringLiteral("Bild1"));
    tw::place(Bild1, 8280, 5880, 495, 495);
    Bild1->setBackColor(0x000000);
    Bild1->setPicture([](QPainter& p, const QRectF& r) { icons::climber(p, r); });

    Figur5 = filledBox(this, "Figur5", 960, 6120, 7095, 375, 0x000000);
    auto prompt = [this](const char* name, quint32 fore) {
        auto* lab = new VbLabel(this, QLatin1String(name));
        tw::place(lab, 960, 6120, 7095, 375);
        lab->setCaption(QStringLiteral("Du hast eine Belohnung erhalten, klicke hier . . ."));
        lab->setFont(shell::vbFont(ms(), 13.5, true));
        lab->setAlignment(Qt::AlignCenter);
        lab->setBackColor(0x000000);
        lab->setForeColor(fore);
        lab->setCursor(Qt::PointingHandCursor);
        lab->hide();
        return lab;
    };
    // The memory prompt lies beneath: when both wait, the number catch is
    // claimed first and the memory prompt shows after it.
    Bezeichnung14 = prompt("Bezeichnung14", 0xC0C0C0);
    Bezeichnung26 = prompt("Bezeichnung26", 0x00C000);
}

void Form1::buildHiddenState() {
    Bezeichnung15 = hiddenLabel(this, "Bezeichnung15", 13800, 7680, QString());
    Bezeichnung16 = hiddenLabel(this, "Bezeichnung16", 13800, 8160, QString());
    Bezeichnung21 = hiddenLabel(this, "Bezeichnung21", 13800, 8640, QStringLiteral("E"));
    lichtzahl = hiddenLabel(this, "lichtzahl", 13800, 6600, QString());
    lichtwert = hiddenLabel(this, "lichtwert", 13800, 7200, QStringLiteral("0"));
}

} // namespace trainer
