#include "cell_words.h"

namespace core {

namespace {
using R = CellRole;

// The step a place belongs to, 0 to 2, and what stands there.
enum class Part { Quotient, ProductTens, ProductUnits, Difference, BroughtDown, Remainder };
struct Place {
    Part part;
    int step;
};

Place placeOf(R role) {
    switch (role) {
    case R::Quotient1:
        return {Part::Quotient, 0};
    case R::Quotient2:
        return {Part::Quotient, 1};
    case R::Quotient3:
        return {Part::Quotient, 2};
    case R::Remainder:
        return {Part::Remainder, 2};
    case R::Product1Tens:
        return {Part::ProductTens, 0};
    case R::Product1Units:
        return {Part::ProductUnits, 0};
    case R::Difference1:
        return {Part::Difference, 0};
    case R::BroughtDown1:
        return {Part::BroughtDown, 0};
    case R::Product2Tens:
        return {Part::ProductTens, 1};
    case R::Product2Units:
        return {Part::ProductUnits, 1};
    case R::Difference2:
        return {Part::Difference, 1};
    case R::BroughtDown2:
        return {Part::BroughtDown, 1};
    case R::Product3Tens:
        return {Part::ProductTens, 2};
    case R::Product3Units:
        return {Part::ProductUnits, 2};
    case R::FinalDifference:
        return {Part::Difference, 2};
    }
    return {Part::Quotient, 0};
}

// "erst", "zweit", "dritt": the stem takes the ending of its noun. The third
// difference is the last one.
QString ordinal(int step, const char* ending, bool lastIsLetzt = false) {
    static const char* const stems[] = {"erst", "zweit", "dritt"};
    const char* stem = lastIsLetzt && step == 2 ? "letzt" : stems[step];
    return QLatin1String(stem) + QLatin1String(ending);
}
} // namespace

QString cellWords(CellRole role) {
    const Place p = placeOf(role);
    switch (p.part) {
    case Part::Quotient:
        return QStringLiteral("Ergebnis, %1 Ziffer").arg(ordinal(p.step, "e"));
    case Part::ProductTens:
        return QStringLiteral("%1 Malergebnis, Zehner").arg(ordinal(p.step, "es"));
    case Part::ProductUnits:
        return QStringLiteral("%1 Malergebnis, Einer").arg(ordinal(p.step, "es"));
    case Part::Difference:
        return QStringLiteral("%1 Unterschied").arg(ordinal(p.step, "er", true));
    case Part::BroughtDown:
        return QStringLiteral("%1 heruntergeholte Ziffer").arg(ordinal(p.step, "e"));
    case Part::Remainder:
        return QStringLiteral("Rest");
    }
    return {};
}

QString dividendDigitWords(int place) {
    static const char* const places[] = {"Tausender", "Hunderter", "Zehner", "Einer"};
    return QStringLiteral("Zahl, ") + QLatin1String(places[qBound(0, place, 3)]);
}

QString divisorWords() {
    return QStringLiteral("Teiler");
}

QString stepWords(StepColour step) {
    switch (step) {
    case StepColour::First:
        return QStringLiteral("Schritt 1");
    case StepColour::Second:
        return QStringLiteral("Schritt 2");
    case StepColour::Third:
        return QStringLiteral("Schritt 3");
    case StepColour::Last:
        return QStringLiteral("letzter Schritt");
    }
    return {};
}

} // namespace core
