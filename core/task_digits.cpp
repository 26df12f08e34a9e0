#include "task_digits.h"

namespace trainer {

QString pad2(const QString& s) {
    return s.size() < 2 ? QString(2 - s.size(), QLatin1Char('0')) + s : s;
}

TaskDigits taskDigits(int a, int b, int c, int d, int r) {
    const int q = 100 * a + 10 * b + c;
    const int n = d * q + r;
    const QString ns = QString::number(n);
    const QString qs = QString::number(q);
    TaskDigits t;
    t.liste1 << ns << QString::number(d) << qs;
    if (r > 0) t.liste1 << QString::number(r);

    auto digit = [](const QString& s, int i) { return s.mid(i, 1).toInt(); };
    const QString row0 = pad2(QString::number(d * digit(qs, 0)));
    const int r1 = ns.left(2).toInt() - row0.toInt();
    const QString row1 = pad2(QString::number(r1) + ns.mid(2, 1));
    const QString row2 = pad2(QString::number(d * digit(qs, 1)));
    const int r2 = row1.toInt() - row2.toInt();
    const QString row3 = pad2(QString::number(r2) + ns.mid(3, 1));
    const QString row4 = pad2(QString::number(d * digit(qs, 2)));
    const QString row5 = QString::number(row3.toInt() - row4.toInt());
    t.liste2 << row0 << row1 << row2 << row3 << row4 << row5;
    return t;
}

QString digitAt(const QStringList& list, int row, int pos) {
    if (row < 0 || row >= list.size() || pos < 1) return {};
    return list.at(row).mid(pos - 1, 1);
}

} // namespace trainer
