#include "start_window.h"

#include "controls.h"
#include "fonts.h"
#include "icons.h"
#include "info_text.h"
#include "desktop.h"
#include "keyboard_access.h"
#include "twips.h"
#include "window_stack.h"

namespace windows {

namespace {
const QColor kWindowBack(255, 255, 224);
const QColor kEasel(64, 0, 0);
const QColor kSponge(192, 192, 192);
const QColor kLogoBack(192, 192, 255);
} // namespace

StartWindow::StartWindow(widgets::WindowStack& windows) : ProgramWindow(windows) {
    setObjectName(QStringLiteral("startWindow"));
    setWindowTitle(QStringLiteral("Schriftliche Division"));
    setClientTwips(6285, 7350);
    widgets::fillBackground(this, kWindowBack);
    setFont(widgets::sansFont(8.25, true));

    // The easel first, so that it lies beneath the controls.
    auto box = [this](const char* name, int l, int t, int w, int h, const QColor& fill,
                      const QColor& border) {
        auto* s = new widgets::Shape(this, QLatin1String(name));
        tw::place(s, l, t, w, h);
        if (fill.isValid())
            s->setFill(fill);
        else
            s->setNoFill();
        s->setBorderColour(border);
    };
    box("boardFrame", 120, 240, 6015, 4335, kEasel, kEasel);
    box("board", 480, 600, 5295, 3615, Qt::black, Qt::black);
    box("descriptionFrame", 720, 1680, 4815, 2295, QColor(), Qt::white);
    box("sponge", 4560, 4200, 735, 255, kSponge, Qt::black);
    box("easelBar", 1560, 5400, 3135, 495, kEasel, kEasel);
    new widgets::Line(this, QStringLiteral("easelLeftLeg"), 1080, 6960, 2040, 4320, kEasel, 30);
    new widgets::Line(this, QStringLiteral("easelRightLeg"), 5160, 6960, 4200, 4320, kEasel, 30);
    new widgets::Line(this, QStringLiteral("logoString"), 960, 4320, 960, 4800, Qt::black, 3);

    const QFont captionFont = widgets::sansFont(9.75, true);
    auto caption = [&](const char* name, const char* text, int l, int t, int w, int h) {
        auto* c = new widgets::Label(this, QLatin1String(name), QLatin1String(text));
        tw::place(c, l, t, w, h);
        c->setFont(captionFont);
        c->setAlignment(Qt::AlignCenter);
        c->setColours(Qt::white, Qt::black);
        return c;
    };
    auto picture = [this](const char* name, int l, int t, icons::Glyph g, const char* tip) {
        auto* p = new widgets::PictureButton(this, QLatin1String(name));
        tw::place(p, l, t, 495, 495);
        p->setAutoFillBackground(false);
        p->setPicture([g](QPainter& pa, const QRectF& r) { icons::tile(pa, r, g); });
        p->setCursor(Qt::PointingHandCursor);
        p->setToolTip(QString::fromUtf8(tip));
        p->setAccessibleName(p->toolTip());
        widgets::pressableByKeys(p);
        return p;
    };
    quitPicture = picture("quitPicture", 1080, 840, icons::Glyph::Cross, "Programm beenden");
    quitCaption = caption("quitCaption", "Ende", 960, 1320, 735, 255);
    exercisePicture = picture("exercisePicture", 2880, 840, icons::Glyph::Division, "Rechnen üben");
    exerciseCaption = caption("exerciseCaption", "einstellig", 2520, 1320, 1215, 255);
    infoPicture = picture("infoPicture", 4680, 840, icons::Glyph::Info, "Programm-Info");
    infoCaption = caption("infoCaption", "Info", 4560, 1320, 735, 255);

    // The box lays out its document as soon as it is made, in the font it has
    // then; given its own font before it joins the window, it never loads the
    // window's font, which nothing visible at start uses.
    description = new QPlainTextEdit;
    description->setFont(captionFont);
    description->setParent(this);
    description->setObjectName(QStringLiteral("description"));
    tw::place(description, 840, 1800, 4575, 2055);
    description->setFrameStyle(QFrame::NoFrame);
    description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    description->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    description->setContextMenuPolicy(Qt::NoContextMenu);
    description->setUndoRedoEnabled(false);
    // Read, scrolled and copied from, never changed.
    description->setReadOnly(true);
    description->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QPalette tp = description->palette();
    tp.setColor(QPalette::Base, Qt::black);
    tp.setColor(QPalette::Text, Qt::white);
    description->setPalette(tp);
    description->setPlainText(infoText());

    auto* logo = new widgets::Picture(this, QStringLiteral("logo"));
    tw::place(logo, 720, 4800, 495, 495);
    logo->setBackground(kLogoBack);
    logo->setPicture([](QPainter& pa, const QRectF& r) { icons::logo(pa, r); });

    connect(exercisePicture, &QAbstractButton::clicked, this, &StartWindow::openExercise);
    connect(quitPicture, &QAbstractButton::clicked, this, &StartWindow::askToQuit);
    connect(infoPicture, &QAbstractButton::clicked, this, &StartWindow::openInfo);
    // The text box has the keyboard at the start, as it always had; Tab goes
    // on to the exercise first.
    setTabOrder(description, exercisePicture);
    setTabOrder(exercisePicture, infoPicture);
    setTabOrder(infoPicture, quitPicture);
    description->setFocus();

    centreOnScreen();
}

bool StartWindow::closeRequested() {
    // Closing the start window ends the whole program at once.
    stack().endProgram();
    return false;
}

void StartWindow::openExercise() {
    stack().hide(this);
    if (showExerciseWindow) showExerciseWindow();
}

void StartWindow::askToQuit() {
    const widgets::Answer answer = desktop().message(
        this, QStringLiteral("Schriftliche Division"),
        QStringLiteral("Dieses Programm jetzt beenden?\r\r\r"),
        {widgets::Buttons::YesNoDefaultNo, widgets::Icon::Stop});
    if (answer != widgets::Answer::No) stack().endProgram();
}

void StartWindow::openInfo() {
    if (showInfoWindow) showInfoWindow();
}

} // namespace windows
