#include "info_window.h"

#include <QCloseEvent>

#include "icons.h"
#include "runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace shell {

ZEBLABEL::ZEBLABEL(QWidget* parent) : Form(parent) {
    setObjectName(QStringLiteral("ZEBLABEL"));
    setWindowTitle(QStringLiteral("Programm-Info"));
    setClientTwips(3510, 4005);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgr(0xFFC0C0));
    setPalette(pal);
    const QString ms = QStringLiteral("MS Sans Serif");
    setFont(vbFont(ms, 8.25));

    Figur1 = new VbShape(this, QStringLiteral("Figur1"));
    tw::place(Figur1, 120, 120, 3255, 3375);
    Figur1->setFill(0xFF8080);
    Figur1->setBorderColor(0x808080);
    Figur1->setBorderWidth(2);

    auto label = [&](const QString& name, int l, int t, int w, int h, quint32 fore, quint32 back,
                     const QFont& f, Qt::Alignment a) {
        auto* lab = new VbLabel(this, name);
        tw::place(lab, l, t, w, h);
        lab->setForeColor(fore);
        lab->setBackColor(back);
        lab->setFont(f);
        lab->setAlignment(a);
        return lab;
    };
    Bezeichnung5 = label(QStringLiteral("Bezeichnung5"), 120, 240, 3255, 495, 0xFFFFFF, 0xFF8080,
                         vbFont(ms, 13.5, true, false, true), Qt::AlignCenter);
    Bezeichnung5->setCaption(QStringLiteral(" Schriftliche Division "));
    Bezeichnung6 = label(QStringLiteral("Bezeichnung6"), 240, 720, 3015, 975, 0xFFFFFF, 0xFF8080,
                         vbFont(ms, 8.25), Qt::AlignLeft | Qt::AlignTop);
    Bezeichnung6->setWordWrap(true);
    Bezeichnung7 = label(QStringLiteral("Bezeichnung7"), 240, 1800, 3015, 495, 0x000000, 0xFFC0C0,
                         vbFont(ms, 9.75), Qt::AlignCenter);
    Bezeichnung7->setWordWrap(true);

    Kontroll1 = new QCheckBox(QStringLiteral("  Druckmodus deaktivieren"), this);
    Kontroll1->setObjectName(QStringLiteral("Kontroll1"));
    tw::place(Kontroll1, 240, 2400, 3135, 255);
    Kontroll1->setFont(vbFont(ms, 9.75, true));
    Kontroll1->setAutoFillBackground(true);
    {
        QPalette cp = Kontroll1->palette();
        cp.setColor(QPalette::Window, bgr(0xFF8080));
        cp.setColor(QPalette::WindowText, Qt::white);
        Kontroll1->setPalette(cp);
    }
    // A check box fills with the button colour by default, on which the white
    // caption would vanish.
    Kontroll1->setBackgroundRole(QPalette::Window);
    Kontroll1->setChecked(true);

    Bezeichnung1 = label(QStringLiteral("Bezeichnung1"), 240, 2880, 2175, 495, 0xFFC0C0, 0xFF8080,
                         vbFont(ms, 18, true, true), Qt::AlignCenter);
    Bezeichnung1->setCaption(QStringLiteral("O k a y"));
    Bezeichnung1->setCursor(Qt::PointingHandCursor);
    Bezeichnung1->onClick = [this] { Bezeichnung1_Click(); };

    Bild1 = new VbPicture(this, QStringLiteral("Bild1"));
    tw::place(Bild1, 2400, 2880, 855, 495);
    Bild1->setBackColor(0xFF8080);
    Bild1->setPicture([](QPainter& p, const QRectF& r) { icons::tile(p, r, icons::Glyph::Cross); });
    Bild1->setCursor(Qt::PointingHandCursor);
    Bild1->setToolTip(QStringLiteral("Schließen"));
    Bild1->onClick = [this] { Bild1_Click(); };

    Bezeichnung8 = label(QStringLiteral("Bezeichnung8"), 120, 3600, 3255, 255, 0x800000, 0xFFC0C0,
                         vbFont(ms, 8.25, true), Qt::AlignCenter);
    Bezeichnung8->setCaption(QStringLiteral("schriftliche-division.example"));
}

void ZEBLABEL::Form_Activate() {
    const QSize s = runtime().screenTwips();
    moveTw((s.width() - widthTw()) / 2.0, (s.height() - heightTw()) / 4.0);
    Bezeichnung6->setCaption(
        QStringLiteral("Dieses Programm darf an Schulen frei weitergegeben werden.\r\n"
                       "Eine Veränderung des Programms ist nicht gestattet."));
    // Each line must fit the label on one line: it has room for two.
    Bezeichnung7->setCaption(QStringLiteral("Version 1.0, Dezember 2026\r\n"
                                            "Kontakt über die Internetseite"));
}

void ZEBLABEL::Form_Unload(bool& cancel) {
    // Closing by the frame discards the window and with it the switch.
    cancel = false;
    forms::hide(this);
    if (unloaded) unloaded();
}

void ZEBLABEL::Bild1_Click() {
    forms::hide(this);
}

void ZEBLABEL::Bezeichnung1_Click() {
    Bild1_Click();
}

} // namespace shell
