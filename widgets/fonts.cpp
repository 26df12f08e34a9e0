#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace shell {

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

QFont vbFont(const QString& family, double points, bool bold, bool italic, bool underline) {
    QFont f;
    if (family.compare(QLatin1String("Courier New"), Qt::CaseInsensitive) == 0) {
        f.setFamilies(monoFamilies());
        f.setStyleHint(QFont::TypeWriter);
        f.setFixedPitch(true);
    } else if (family.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0) {
        f.setFamilies(sansFamilies());
        f.setStyleHint(QFont::SansSerif);
    } else {
        f.setFamily(family);
    }
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    f.setUnderline(underline);
    if (f.fixedPitch() && !QFontInfo(f).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(points);
        fixed.setBold(bold);
        fixed.setItalic(italic);
        fixed.setUnderline(underline);
        return fixed;
    }
    return f;
}

} // namespace shell
