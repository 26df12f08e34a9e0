#include "info_window.h"

#include "controls.h"
#include "fonts.h"
#include "icons.h"
#include "desktop.h"
#include "keyboard_access.h"
#include "twips.h"
#include "window_stack.h"

namespace windows {

namespace {
const QColor kWindowBack(192, 192, 255);
const QColor kPanel(128, 128, 255);
const QColor kPanelBorder(128, 128, 128);
const QColor kWebsite(0, 0, 128);
} // namespace

InfoWindow::InfoWindow(widgets::WindowStack& windows) : ProgramWindow(windows) {
    setObjectName(QStringLiteral("infoWindow"));
    setWindowTitle(QStringLiteral("Programm-Info"));
    setClientTwips(3510, 4005);
    widgets::fillBackground(this, kWindowBack);
    setFont(widgets::sansFont(8.25));

    auto* panel = new widgets::Shape(this, QStringLiteral("panel"));
    tw::place(panel, 120, 120, 3255, 3375);
    panel->setFill(kPanel);
    panel->setBorderColour(kPanelBorder);
    panel->setBorderWidth(2);

    auto label = [this](auto* l, int left, int top, int w, int h, const QColor& text,
                        const QColor& back, const QFont& f, Qt::Alignment a) {
        tw::place(l, left, top, w, h);
        l->setColours(text, back);
        l->setFont(f);
        l->setAlignment(a);
        return l;
    };
    titleLabel = label(new widgets::Label(this, QStringLiteral("titleLabel"),
                                          QStringLiteral(" Schriftliche Division ")),
                       120, 240, 3255, 495, Qt::white, kPanel,
                       widgets::sansFont(13.5, true, false, true), Qt::AlignCenter);
    termsLabel = label(new widgets::Label(this, QStringLiteral("termsLabel")), 240, 720, 3015,
                       975, Qt::white, kPanel, widgets::sansFont(8.25),
                       Qt::AlignLeft | Qt::AlignTop);
    termsLabel->setWordWrap(true);
    versionLabel = label(new widgets::Label(this, QStringLiteral("versionLabel")), 240, 1800,
                         3015, 495, Qt::black, kWindowBack, widgets::sansFont(9.75),
                         Qt::AlignCenter);
    versionLabel->setWordWrap(true);

    printLockBox = new QCheckBox(QStringLiteral("  Druckmodus deaktivieren"), this);
    printLockBox->setObjectName(QStringLiteral("printLockBox"));
    tw::place(printLockBox, 240, 2400, 3135, 255);
    printLockBox->setFont(widgets::sansFont(9.75, true));
    printLockBox->setAutoFillBackground(true);
    QPalette cp = printLockBox->palette();
    cp.setColor(QPalette::Window, kPanel);
    cp.setColor(QPalette::WindowText, Qt::white);
    printLockBox->setPalette(cp);
    // A check box fills with the button colour by default, on which the white
    // caption would vanish.
    printLockBox->setBackgroundRole(QPalette::Window);
    printLockBox->setChecked(true);

    okayLabel = label(new widgets::ClickableLabel(this, QStringLiteral("okayLabel"),
                                                  QStringLiteral("O k a y")),
                      240, 2880, 2175, 495, kWindowBack, kPanel,
                      widgets::sansFont(18, true, true), Qt::AlignCenter);
    okayLabel->setCursor(Qt::PointingHandCursor);
    connect(okayLabel, &widgets::ClickableLabel::clicked, this, &InfoWindow::closeKeepingSwitch);

    closePicture = new widgets::PictureButton(this, QStringLiteral("closePicture"));
    tw::place(closePicture, 2400, 2880, 855, 495);
    closePicture->setBackground(kPanel);
    closePicture->setPicture(
        [](QPainter& p, const QRectF& r) { icons::tile(p, r, icons::Glyph::Cross); });
    closePicture->setCursor(Qt::PointingHandCursor);
    closePicture->setToolTip(QStringLiteral("Schließen"));
    connect(closePicture, &QAbstractButton::clicked, this, &InfoWindow::closeKeepingSwitch);
    okayLabel->setAccessibleName(QStringLiteral("Okay"));
    closePicture->setAccessibleName(closePicture->toolTip());
    widgets::pressableByKeys(okayLabel);
    widgets::pressableByKeys(closePicture);
    new widgets::KeyboardRing(this, {printLockBox, okayLabel, closePicture});

    websiteLabel = label(new widgets::Label(this, QStringLiteral("websiteLabel"),
                                            QStringLiteral("schriftliche-division.example")),
                         120, 3600, 3255, 255, kWebsite, kWindowBack,
                         widgets::sansFont(8.25, true), Qt::AlignCenter);
}

void InfoWindow::broughtToFront() {
    // A quarter down the free height of the screen, centred across it.
    const QSize s = desktop().screenTwips();
    moveTw((s.width() - widthTw()) / 2.0, (s.height() - heightTw()) / 4.0);
    termsLabel->setText(QStringLiteral("Dieses Programm darf an Schulen frei weitergegeben werden.\n"
                                       "Eine Veränderung des Programms ist nicht gestattet."));
    // Each line must fit the label on one line: it has room for two.
    versionLabel->setText(QStringLiteral("Version 1.0, Dezember 2026\n"
                                         "Kontakt über die Internetseite"));
}

bool InfoWindow::closeRequested() {
    // Closing by the frame discards the window and with it the switch.
    stack().hide(this);
    if (unloaded) unloaded();
    return true;
}

void InfoWindow::closeKeepingSwitch() {
    stack().hide(this);
}

} // namespace windows
