#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QString>

// The one <pre> of clipboard HTML as a browser or word processor reads it.
struct PreBlock {
    int count = 0; // how many <pre> elements the HTML holds
    QString style; // the style attribute of the first
    QString text;  // its content with the references decoded
};

inline PreBlock readPre(const QString& html) {
    PreBlock out;
    out.count = int(html.count(QRegularExpression("<pre[\\s>]")));
    const auto m = QRegularExpression("<pre(?:\\s+style=\"([^\"]*)\")?>(.*)</pre>",
                                      QRegularExpression::DotMatchesEverythingOption)
                       .match(html);
    if (!m.hasMatch()) return out;
    out.style = m.captured(1);
    QString raw = m.captured(2);
    if (raw.contains('<')) out.count = -1; // markup inside would change the text
    // A line break right after the start tag is not part of the content.
    if (raw.startsWith("\r\n"))
        raw.remove(0, 2);
    else if (raw.startsWith('\n'))
        raw.remove(0, 1);
    QString text;
    static const QRegularExpression ref("&(#\\d+|#x[0-9a-fA-F]+|amp|lt|gt|quot|nbsp);");
    int at = 0;
    for (auto it = ref.globalMatch(raw); it.hasNext();) {
        const auto r = it.next();
        text += raw.mid(at, r.capturedStart() - at);
        const QString name = r.captured(1);
        if (name.startsWith('#')) {
            const bool hex = name.startsWith("#x");
            const char32_t c = name.mid(hex ? 2 : 1).toUInt(nullptr, hex ? 16 : 10);
            text += QString::fromUcs4(&c, 1);
        } else {
            static const QHash<QString, QString> named{
                {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"nbsp", "\u00a0"}};
            text += named.value(name);
        }
        at = r.capturedEnd();
    }
    text += raw.mid(at);
    text.replace("\r\n", "\n");
    out.text = text;
    return out;
}
