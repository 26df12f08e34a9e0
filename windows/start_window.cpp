#include "start_window.h"

#include <QKeyEvent>
#include <QScrollBar>

#include "icons.h"
#include "info_text.h"
#include "runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace shell {

namespace {
// The text box undoes every edit, so it must see keys and pastes but never keep them.
class InfoTextBox : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;
    std::function<void()> refill;

  protected:
    void keyPressEvent(QKeyEvent* e) override {
        // Movement and copying keep working; whatever would change the text
        // is taken back at once by the refill.
        QPlainTextEdit::keyPressEvent(e);
        if (refill) refill();
    }
};
} // namespace

Form0::Form0(QWidget* parent) : Form(parent) {
    setObjectName(QStringLiteral("Form0"));
    setWindowTitle(QStringLiteral("Schriftliche Division"));
    setClientTwips(6285, 7350);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, bgr(0xE0FFFF));
    setPalette(pal);
    setFont(vbFont(QStringLiteral("MS Sans Serif"), 8.25, true));

    // Decoration first, so it lies beneath the controls.
    Figur1 = new VbShape(this, QStringLiteral("Figur1"));
    tw::place(Figur1, 120, 240, 6015, 4335);
    Figur1->setFill(0x000040);
    Figur1->setBorderColor(0x000040);
    Figur2 = new VbShape(this, QStringLiteral("Figur2"));
    tw::place(Figur2, 480, 600, 5295, 3615);
    Figur2->setFill(0x000000);
    Figur2->setBorderColor(0x000000);
    Figur4 = new VbShape(this, QStringLiteral("Figur4"));
    tw::place(Figur4, 720, 1680, 4815, 2295);
    Figur4->setTransparentFill();
    Figur4->setBorderColor(0xFFFFFF);
    Figur3 = new VbShape(this, QStringLiteral("Figur3"));
    tw::place(Figur3, 4560, 4200, 735, 255);
    Figur3->setFill(0xC0C0C0);
    Figur3->setBorderColor(0x000000);
    Figur5 = new VbShape(this, QStringLiteral("Figur5"));
    tw::place(Figur5, 1560, 5400, 3135, 495);
    Figur5->setFill(0x000040);
    Figur5->setBorderColor(0x000040);
    Linie1 = new VbLine(this, QStringLiteral("Linie1"), 1080, 6960, 2040, 4320, 0x000040, 30);
    Linie2 = new VbLine(this, QStringLiteral("Linie2"), 5160, 6960, 4200, 4320, 0x000040, 30);
    Linie4 = new VbLine(this, QStringLiteral("Linie4"), 960, 4320, 960, 4800, 0x000000, 3);

    const QFont captionFont = vbFont(QStringLiteral("MS Sans Serif"), 9.75, true);
    auto caption = [&](const QString& name, const QString& text, int l, int t, int w, int h) {
        auto* lab = new VbLabel(this, name);
        tw::place(lab, l, t, w, h);
        lab->setCaption(text);
        lab->setFont(captionFont);
        lab->setAlignment(Qt::AlignCenter);
        lab->setBackColor(0x000000);
        lab->setForeColor(0xFFFFFF);
        return lab;
    };
    auto picture = [&](const QString& name, int l, int t, icons::Glyph g) {
        auto* p = new VbPicture(this, name);
        tw::place(p, l, t, 495, 495);
        p->setAutoFillBackground(false);
        p->setPicture([g](QPainter& pa, const QRectF& r) { icons::tile(pa, r, g); });
        p->setCursor(Qt::PointingHandCursor);
        return p;
    };

    Bild3 = picture(QStringLiteral("Bild3"), 1080, 840, icons::Glyph::Cross);
    Bild3->setToolTip(QStringLiteral("Programm beenden"));
    Bezeichnung1 =
        caption(QStringLiteral("Bezeichnung1"), QStringLiteral("Ende"), 960, 1320, 735, 255);
    Bild1 = picture(QStringLiteral("Bild1"), 2880, 840, icons::Glyph::Division);
    Bild1->setToolTip(QStringLiteral("Rechnen üben"));
    Bezeichnung3 = caption(QStringLiteral("Bezeichnung3"), QStringLiteral("einstellig"), 2520, 1320,
                           1215, 255);
    Bild4 = picture(QStringLiteral("Bild4"), 4680, 840, icons::Glyph::Info);
    Bild4->setToolTip(QStringLiteral("Programm-Info"));
    Bezeichnung2 =
        caption(QStringLiteral("Bezeichnung2"), QStringLiteral("Info"), 4560, 1320, 735, 255);

    // The box lays out its document as soon as it is made, in the font it has
    // then; given its own font before it joins the window, it never loads the
    // window's font, which nothing visible at start uses.
    auto* text = new InfoTextBox;
    text->setFont(captionFont);
    text->setParent(this);
    Text1 = text;
    Text1->setObjectName(QStringLiteral("Text1"));
    tw::place(Text1, 840, 1800, 4575, 2055);
    Text1->setFrameStyle(QFrame::NoFrame);
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1->setContextMenuPolicy(Qt::NoContextMenu);
    Text1->setUndoRedoEnabled(false);
    {
        QPalette tp = Text1->palette();
        tp.setColor(QPalette::Base, Qt::black);
        tp.setColor(QPalette::Text, Qt::white);
        Text1->setPalette(tp);
    }
    text->refill = [this] { FillInfoText(); };
    connect(Text1, &QPlainTextEdit::textChanged, this, [this] { Text1_Change(); });

    Bild5 = new VbPicture(this, QStringLiteral("Bild5"));
    tw::place(Bild5, 720, 4800, 495, 495);
    Bild5->setBackColor(0xFFC0C0);
    Bild5->setPicture([](QPainter& pa, const QRectF& r) { icons::logo(pa, r); });

    Bild1->onClick = [this] { Bild1_Click(); };
    Bild3->onClick = [this] { Bild3_Click(); };
    Bild4->onClick = [this] { Bild4_Click(); };

    Form_Load();
}

void Form0::Form_Load() {
    centreOnScreen();
}

void Form0::Form_Activate() {
    FillInfoText();
}

void Form0::Form_Unload(bool& cancel) {
    // Closing the start window ends the whole program at once.
    cancel = true;
    forms::endProgram();
}

void Form0::Bild1_Click() {
    forms::hide(this);
    if (showExerciseWindow) showExerciseWindow();
}

void Form0::Bild3_Click() {
    const int answer = runtime().msgBox(QStringLiteral("Dieses Programm jetzt beenden?\r\r\r"),
                                        SecondButtonDefault + StopIcon + YesNo,
                                        QStringLiteral("Schriftliche Division"));
    if (answer != AnswerNo) forms::endProgram();
}

void Form0::Bild4_Click() {
    if (showInfoWindow) showInfoWindow();
}

void Form0::Text1_Change() {
    FillInfoText();
}

QString Form0::Text1_Text() const {
    QString t = Text1->toPlainText();
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t + QLatin1String("\r\n");
}

void Form0::FillInfoText() {
    // Writing the same text again raises another change: guard against recursion.
    if (filling_) return;
    const QString text = infoText();
    // The box shows line breaks; the stored text keeps CR LF.
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (Text1->toPlainText() == shown.chopped(1)) return;
    filling_ = true;
    const int scroll = Text1->verticalScrollBar()->value();
    Text1->setPlainText(shown.chopped(1));
    Text1->verticalScrollBar()->setValue(scroll);
    filling_ = false;
}

} // namespace shell
