#include "class_names.h"

#include <QRegularExpression>
#include <QTextBoundaryFinder>

namespace core {

namespace {

// Characters as a reader counts them: a letter with its accent is one, even
// when a pasted list brings it as two code points.
int characters(const QString& s) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    int n = 0;
    while (finder.toNextBoundary() > 0)
        ++n;
    return n;
}

// The first characters of a name too long to quote whole in a box.
QString shortened(const QString& name) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, name);
    for (int i = 0; i < kNameLongest; ++i)
        finder.toNextBoundary();
    return name.left(finder.position()) + QStringLiteral("…");
}

} // namespace

ClassNames classNames(const QString& typed) {
    static const QRegularExpression lineEnd(QStringLiteral("\\r\\n|[\\r\\n\\x{2028}\\x{2029}]"));
    const QStringList lines = typed.split(lineEnd);
    QStringList names;
    int tooLongAt = 0;
    QString tooLong;
    for (int i = 0; i < lines.size(); ++i) {
        const QString name = lines.at(i).simplified();
        if (name.isEmpty()) continue;
        if (tooLongAt == 0 && characters(name) > kNameLongest) {
            tooLongAt = i + 1;
            tooLong = name;
        }
        names << name;
    }
    ClassNames result;
    if (names.isEmpty())
        result.problem = QStringLiteral("Bitte mindestens einen Namen eingeben, einen je Zeile.");
    else if (names.size() > kClassNamesMost)
        result.problem = QStringLiteral("Ein Klassensatz hat höchstens %1 Namen, die Liste hat %2.")
                             .arg(kClassNamesMost)
                             .arg(names.size());
    else if (tooLongAt > 0)
        result.problem = QStringLiteral("Der Name in Zeile %1 ist länger als %2 Zeichen: „%3“.")
                             .arg(tooLongAt)
                             .arg(kNameLongest)
                             .arg(shortened(tooLong));
    else
        result.names = names;
    return result;
}

} // namespace core
