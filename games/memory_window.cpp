#include "memory_window.h"

#include <QShowEvent>

#include "desktop.h"
#include "controls.h"
#include "fonts.h"
#include "keyboard_access.h"
#include "twips.h"
#include "window_stack.h"

namespace games {

namespace {
const QColor kBack(192, 192, 255);
const QColor kFaceDown(128, 128, 255); // also the frame round the cards
const QColor kFound(0, 0, 255);
const QString kTitle = QStringLiteral("Memory");
} // namespace

MemoryWindow::MemoryWindow(widgets::WindowStack& windows) : ProgramWindow(windows) {
    setObjectName(QStringLiteral("memoryWindow"));
    setWindowTitle(kTitle);
    setClientTwips(6525, 5805, Growing);
    // Left only through "ENDE" or by winning: no close box.
    setWindowFlags(growingFlags());
    widgets::fillBackground(this, kBack);
    setFont(widgets::sansFont(8.25, true));

    endButton =
        new widgets::CommandButton(this, QStringLiteral("endButton"), QStringLiteral("ENDE"));
    tw::place(endButton, 120, 120, 735, 495);
    connect(endButton, &QPushButton::clicked, this, [this] { askToEnd(); });
    helpButton =
        new widgets::CommandButton(this, QStringLiteral("helpButton"), QStringLiteral("Hilfe"));
    tw::place(helpButton, 120, 720, 735, 495);
    helpButton->setFont(widgets::sansFont(9.75, true));
    connect(helpButton, &QPushButton::clicked, this, [this] { showHelp(); });

    // The frame first, so the cards lie on it.
    cardFrame = new widgets::Shape(this, QStringLiteral("cardFrame"));
    tw::place(cardFrame, 960, 120, 5415, 5535);
    cardFrame->setNoFill();
    cardFrame->setBorderColour(kFaceDown);

    const QFont cardFont = widgets::sansFont(18, true);
    for (int k = 0; k < MemoryGame::kCards; ++k) {
        auto* c = new widgets::ClickableLabel(this, QStringLiteral("card%1").arg(k + 1));
        const int row = k % 9;
        tw::place(c, k < 9 ? 1080 : 3720, 240 + 600 * row, 2535, 495);
        c->setColours(Qt::white, kFaceDown);
        c->setFont(cardFont);
        c->setAlignment(Qt::AlignCenter);
        c->setFramed(true);
        connect(c, &widgets::ClickableLabel::clicked, this, [this, k] { revealCard(k); });
        c->setAccessibleName(QStringLiteral("Karte %1").arg(k + 1));
        c->setAccessibleDescription(QStringLiteral("verdeckt"));
        widgets::pressableByKeys(c);
        cards[k] = c;
    }
    // From the keyboard: Tab or the arrows go from card to card, Space or
    // Enter turn one up; the game starts on the first card.
    QList<QWidget*> ring{endButton, helpButton};
    for (QWidget* c : cards)
        ring << c;
    for (QWidget* b : {endButton, helpButton})
        widgets::pressableByKeys(b);
    new widgets::KeyboardRing(this, ring);
    cards[0]->setFocus();
}

void MemoryWindow::open(widgets::ProgramWindow& from) {
    from_ = &from;
    takeSizeFrom(&from);
    stack().hide(&from);
    stack().show(this);
}

void MemoryWindow::showEvent(QShowEvent* e) {
    ProgramWindow::showEvent(e);
    // Centred when it first shows; later it comes back where it was.
    if (!shownBefore_ && !e->spontaneous()) {
        shownBefore_ = true;
        centreOnScreen();
    }
}

bool MemoryWindow::closeRequested() {
    return false;
}

void MemoryWindow::giveBack() {
    stack().hide(this);
    if (from_) stack().show(from_);
}

void MemoryWindow::askToEnd() {
    const widgets::Answer answer =
        desktop().message(this, kTitle, QStringLiteral("  Dieses Spiel jetzt beenden?"),
                          {widgets::Buttons::YesNo, widgets::Icon::Stop});
    // The board stays as it is, so the next opening continues the game.
    if (answer != widgets::Answer::No) giveBack();
}

void MemoryWindow::showHelp() {
    desktop().message(this, kTitle,
                      QStringLiteral("Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                                     "die Einzelfelder an und suche so Zahlenpaare!"));
}

void MemoryWindow::revealCard(int k) {
    if (!game_.dealt()) game_.deal([this] { return desktop().random(); });
    game_.reveal(k);
    showBoard();
    if (game_.allFound()) finish();
}

void MemoryWindow::showBoard() {
    for (int k = 0; k < MemoryGame::kCards; ++k) {
        const MemoryGame::CardState state = game_.state(k);
        widgets::ClickableLabel* c = cards[k];
        c->setText(state == MemoryGame::CardState::FaceDown ? QString()
                                                            : MemoryGame::face(game_.digit(k)));
        c->setBackground(state == MemoryGame::CardState::Found ? kFound : kFaceDown);
        c->setItalic(state == MemoryGame::CardState::Found);
        const QString seen = state == MemoryGame::CardState::FaceDown ? QStringLiteral("verdeckt")
                             : state == MemoryGame::CardState::Open
                                 ? QStringLiteral("aufgedeckt: ") + c->text()
                                 : QStringLiteral("gefunden: ") + c->text();
        if (c->accessibleDescription() != seen) c->setAccessibleDescription(seen);
    }
}

void MemoryWindow::resetBoard() {
    game_.reset();
    showBoard();
}

void MemoryWindow::finish() {
    // The box opens over the full board; the next opening deals anew.
    desktop().message(this, kTitle, QStringLiteral("Prima, du hast es geschafft!\r"));
    resetBoard();
    giveBack();
}

} // namespace games
