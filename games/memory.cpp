#include "memory.h"

#include <QShowEvent>

#include "runtime.h"
#include "twips.h"
#include "window_stack.h"

namespace games {

namespace {
const QString kTitle = QStringLiteral("Memory");
const QString kPairs = QStringLiteral("112233445566778899");
} // namespace

QString CardFace(int digit) {
    return QStringLiteral("%1 * %2").arg(digit).arg(10 - digit);
}

memo::memo(QWidget* parent) : Form(parent) {
    setObjectName(QStringLiteral("memo"));
    setWindowTitle(kTitle);
    setClientTwips(6525, 5805, Growing);
    // Left only through "ENDE" or by winning: no close box.
    setWindowFlags(growingFlags());
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, shell::bgr(0xFFC0C0));
    setPalette(pal);
    const QString ms = QStringLiteral("MS Sans Serif");
    setFont(shell::vbFont(ms, 8.25, true));

    Befehl1 = new shell::VbButton(this, QStringLiteral("Befehl1"), QStringLiteral("ENDE"));
    tw::place(Befehl1, 120, 120, 735, 495);
    connect(Befehl1, &QPushButton::clicked, this, [this] { Befehl1_Click(); });
    Befehl2 = new shell::VbButton(this, QStringLiteral("Befehl2"), QStringLiteral("Hilfe"));
    tw::place(Befehl2, 120, 720, 735, 495);
    Befehl2->setFont(shell::vbFont(ms, 9.75, true));
    connect(Befehl2, &QPushButton::clicked, this, [this] { Befehl2_Click(); });

    // The frame first, so the cards lie on it.
    Figur3 = new shell::VbShape(this, QStringLiteral("Figur3"));
    tw::place(Figur3, 960, 120, 5415, 5535);
    Figur3->setTransparentFill();
    Figur3->setBorderColor(0xFF8080);

    const QFont cardFont = shell::vbFont(ms, 18, true);
    const quint32 faceDown = shell::toBgr(Figur3->borderColor());
    for (int k = 1; k <= 18; ++k) {
        auto* c = new shell::VbLabel(this, QStringLiteral("Bezeichnung%1").arg(k));
        const bool left = k <= 9;
        tw::place(c, left ? 1080 : 3720, 240 + 600 * (left ? k - 1 : k - 10), 2535, 495);
        c->setForeColor(0xFFFFFF);
        c->setBackColor(faceDown);
        c->setFont(cardFont);
        c->setAlignment(Qt::AlignCenter);
        c->setBorder(true);
        c->onClick = [this, k] { Bezeichnung_Click(k); };
        cards_[k - 1] = c;
    }
}

void memo::showEvent(QShowEvent* e) {
    Form::showEvent(e);
    // The first showing loads the window; later ones only bring it back.
    if (!loaded_ && !e->spontaneous()) {
        loaded_ = true;
        Form_Load();
    }
}

void memo::Form_Load() {
    centreOnScreen();
}

void memo::Form_Unload(bool& cancel) {
    cancel = true;
}

void memo::backToExercise() {
    shell::forms::hide(this);
    if (exerciseWindow) {
        if (shell::Form* f = exerciseWindow()) shell::forms::show(f);
    }
}

void memo::Befehl1_Click() {
    const int answer = shell::runtime().msgBox(QStringLiteral("  Dieses Spiel jetzt beenden?"),
                                               shell::YesNo + shell::StopIcon, kTitle);
    // The board stays as it is, so the next opening continues the game.
    if (answer != shell::AnswerNo) backToExercise();
}

void memo::Befehl2_Click() {
    shell::runtime().msgBox(QStringLiteral("Immer zwei Felder bilden ein Zahlenpaar, klicke\r"
                                           "die Einzelfelder an und suche so Zahlenpaare!"),
                            shell::OkOnly, kTitle);
}

void memo::Bezeichnung_Click(int k) {
    ClickedCard = k;
    RevealCard();
}

void memo::RevealCard() {
    if (!Dealt) {
        DealCards();
        Dealt = true;
        FirstCard = 0;
        SecondCard = 0;
    }
    const int c = ClickedCard;
    if (CardsInPlay.at(c - 1) == QLatin1Char('0')) return; // already found
    if (FirstCard > 0 && SecondCard > 0) TurnBackPair();   // last pick did not match
    card(c)->setCaption(CardFace(CardValues.at(c - 1).digitValue()));
    if (FirstCard == 0) {
        FirstCard = c;
        return;
    }
    SecondCard = c;
    if (SecondCard == FirstCard) { // the open card again
        SecondCard = 0;
        return;
    }
    if (CardValues.at(FirstCard - 1) == CardValues.at(SecondCard - 1)) {
        CardsInPlay[FirstCard - 1] = QLatin1Char('0');
        CardsInPlay[SecondCard - 1] = QLatin1Char('0');
        MarkPairFound();
    }
    if (CardsInPlay == QString(18, QLatin1Char('0'))) FinishMemory();
}

void memo::TurnBackPair() {
    card(FirstCard)->setCaption(QString());
    card(SecondCard)->setCaption(QString());
    FirstCard = 0;
    SecondCard = 0;
}

void memo::MarkPairFound() {
    for (int k : {FirstCard, SecondCard}) {
        card(k)->setBackColor(shell::toBgr(shell::qbColor(9)));
        card(k)->setItalic(true);
    }
    FirstCard = 0;
    SecondCard = 0;
}

void memo::DealCards() {
    // Each digit in turn goes to a random free slot ('0' marks free; no card is 0).
    QString t(18, QLatin1Char('0'));
    shell::Runtime& rt = shell::runtime();
    for (int i = 0; i < 18; ++i) {
        int p = 1 + int(rt.rnd() * 18);
        while (t.at(p - 1) != QLatin1Char('0'))
            p = 1 + int(rt.rnd() * 18);
        t[p - 1] = kPairs.at(i);
    }
    CardValues = t;
    CardsInPlay = QString(18, QLatin1Char('1'));
}

void memo::ResetBoard() {
    const quint32 faceDown = shell::toBgr(Figur3->borderColor());
    for (shell::VbLabel* c : cards_) {
        c->setBackColor(faceDown);
        c->setCaption(QString());
        c->setItalic(false);
    }
    Dealt = false;
}

void memo::FinishMemory() {
    shell::runtime().msgBox(QStringLiteral("Prima, du hast es geschafft!\r"), shell::OkOnly,
                            kTitle);
    ResetBoard();
    backToExercise();
}

} // namespace games
