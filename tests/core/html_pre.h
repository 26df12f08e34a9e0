#pragma once

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
    if (raw.startsWith('\n')) raw.remove(0, 1);
    QString text;
    static const QRegularExpression ref("&(#\\d+|amp|lt|gt);");
    int at = 0;
    for (auto it = ref.globalMatch(raw); it.hasNext();) {
        const auto r = it.next();
        text += raw.mid(at, r.capturedStart() - at);
        const QString name = r.captured(1);
        const char32_t c = name.startsWith('#') ? name.mid(1).toUInt() : 0;
        text += c ? QString::fromUcs4(&c, 1) : name == "amp" ? "&" : name == "lt" ? "<" : ">";
        at = r.capturedEnd();
    }
    text += raw.mid(at);
    out.text = text;
    return out;
}
