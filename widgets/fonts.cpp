#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace widgets {

namespace {
// The installed ones among the candidates, in order, looked up once: asking
// fontconfig about a family that is not there costs a full match each time.
QStringList installedFamilies(const QStringList& candidates) {
    const QStringList all = QFontDatabase::families();
    QStringList found;
    for (const QString& c : candidates)
        if (all.contains(c, Qt::CaseInsensitive)) found << c;
    if (found.isEmpty()) found << candidates.first();
    return found;
}

const QStringList& monoFamilies() {
    static const QStringList f =
        installedFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                           QStringLiteral("DejaVu Sans Mono")});
    return f;
}

const QStringList& sansFamilies() {
    static const QStringList f =
        installedFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                           QStringLiteral("DejaVu Sans")});
    return f;
}
} // namespace

QFont sansFont(double points, bool bold, bool italic, bool underline) {
    QFont f;
    f.setFamilies(sansFamilies());
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    return f;
}

QFont fixedFont(double points, bool bold) {
    QFont f;
    f.setFamilies(monoFamilies());
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(points);
    f.setBold(bold);
    if (QFontInfo(f).fixedPitch()) return f;
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPointSizeF(points);
    fixed.setBold(bold);
    return fixed;
}

} // namespace widgets
