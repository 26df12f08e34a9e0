#include "targeted_practice.h"

namespace core {

namespace {

constexpr int kSteps = kOtherKeyBucket; // the buckets before "andere Taste"

// "Die meisten Fehler gab es beim Abziehen": the step as a sentence takes it.
QString atStep(int step) {
    switch (step) {
    case 0:
        return QStringLiteral("bei der Ergebnisziffer");
    case 1:
        return QStringLiteral("beim Malnehmen");
    case 2:
        return QStringLiteral("beim Abziehen");
    case 3:
        return QStringLiteral("beim Herunterholen");
    default:
        return QStringLiteral("beim Rest");
    }
}

QString noChange() {
    return QStringLiteral("Die Aufgaben bleiben, wie sie sind.");
}

} // namespace

TargetedPractice targetedPractice(const PracticeRecord& record, const TaskChoice& current,
                                  Mode mode) {
    TargetedPractice out;
    quint64 inSteps = 0;
    int most = 0;
    for (int step = 0; step < kSteps; ++step) {
        inSteps += record.wrongIn(step);
        if (record.wrongIn(step) > record.wrongIn(most)) most = step;
    }
    if (inSteps == 0 && record.wrongIn(kOtherKeyBucket) > 0) {
        out.sentence = QStringLiteral("Bisher wurden nur andere Tasten statt Ziffern gedrückt, "
                                      "das sagt nichts über einen Rechenschritt: ") +
                       noChange();
        return out;
    }
    if (inSteps == 0) {
        out.sentence = QStringLiteral("Bisher gibt es keine falsche Ziffer, also nichts gezielt "
                                      "zu üben: ") +
                       noChange();
        return out;
    }
    if (inSteps < kTargetedLeastWrong) {
        const QString found = inSteps == 1 ? QStringLiteral("eine falsche Ziffer")
                                           : QStringLiteral("%1 falsche Ziffern").arg(inSteps);
        out.sentence =
            QStringLiteral("Bisher gibt es erst %1, zu wenig, um gezielt zu üben: ").arg(found) +
            noChange();
        return out;
    }

    out.step = most;
    TaskChoice aimed = current;
    QString what;
    bool already = false;
    switch (most) {
    case 0:
    case 1:
        aimed.setDivisors({6, 7, 8, 9});
        what = QStringLiteral("nur Aufgaben mit den Teilern 6 bis 9, den schwereren "
                              "Einmaleinsreihen");
        break;
    case 2:
        aimed.setBorrowing(Frequency::Often);
        what = QStringLiteral("oft Aufgaben mit Übertrag");
        break;
    case 3:
        aimed.setZeroInQuotient(Frequency::Often);
        what = QStringLiteral("oft Aufgaben mit einer Null im Ergebnis");
        break;
    default:
        already = mode == Mode::Remainder;
        if (!already) out.mode = Mode::Remainder;
        what = QStringLiteral("Aufgaben mit Rest");
        break;
    }
    if (most < 4) {
        already = aimed == current;
        if (!already) out.choice = aimed;
    }
    out.sentence =
        QStringLiteral("Die meisten Fehler gab es %1: %2 %3.")
            .arg(atStep(most),
                 already ? QStringLiteral("Es kommen schon") : QStringLiteral("Jetzt kommen"),
                 what);
    return out;
}

} // namespace core
