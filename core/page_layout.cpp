#include "page_layout.h"

#include <algorithm>
#include <cmath>

namespace core {

namespace {

bool isBlank(const QString& line) {
    return line.trimmed().isEmpty();
}

} // namespace

int linesPerPage(double lineHeight, double usableHeight) {
    if (lineHeight <= 0) return 1;
    // A rounding error in the device metrics must not cost a whole line.
    const int n = int(std::floor(usableHeight / lineHeight + 1e-6));
    return std::max(1, n);
}

QList<LinePlace> placeLines(const QStringList& lines, const QList<KeepTogether>& groups,
                            int perPage) {
    perPage = std::max(1, perPage);
    const int n = int(lines.size());
    // Length of the group that starts at each line, 0 where none starts.
    QList<int> groupAt(n, 0);
    for (const KeepTogether& g : groups) {
        if (g.first < 0 || g.first >= n || g.count <= 0) continue;
        groupAt[g.first] = std::max(groupAt[g.first], std::min(g.count, n - g.first));
    }

    QList<LinePlace> places(n);
    int page = 0, row = 0;
    for (int i = 0; i < n; ++i) {
        const bool blank = isBlank(lines.at(i));
        if (groupAt[i] > 0 && row > 0 && row + groupAt[i] > perPage) {
            ++page;
            row = 0;
        }
        if (row >= perPage) {
            // A blank line past the bottom is dropped: it would open a page
            // with a gap, or a page with nothing on it.
            if (blank) continue;
            ++page;
            row = 0;
        }
        places[i] = {page, row};
        ++row;
    }
    return places;
}

int pageCount(const QList<LinePlace>& places) {
    int pages = 0;
    for (const LinePlace& p : places)
        pages = std::max(pages, p.page + 1);
    return pages;
}

double centredOffset(double usableWidth, double blockWidth) {
    return std::max(0.0, (usableWidth - blockWidth) / 2);
}

QString visiblePart(const QString& line) {
    int end = int(line.size());
    while (end > 0 && line.at(end - 1).isSpace())
        --end;
    return line.left(end);
}

} // namespace core
