#pragma once

// Text too large for Qt's glyph cache (over 64 device pixels) is filled as
// outlines on every paint, which makes a grown window's digits and captions
// its most expensive pixels. This style draws such text once into an image
// and then composites the image, as Qt does for the glyphs of smaller text.
// Smaller text, text on any surface but a raster image (a PDF keeps its
// text), and any text the image could not reproduce exactly (a transformed
// painter, text that may spill out of its rectangle, another composition
// mode) goes to the base style unchanged.
#include <QProxyStyle>

namespace shell {

class LargeTextStyle : public QProxyStyle {
    Q_OBJECT
  public:
    // Takes base over, as QProxyStyle does.
    explicit LargeTextStyle(QStyle* base);
    void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& pal,
                      bool enabled, const QString& text,
                      QPalette::ColorRole textRole = QPalette::NoRole) const override;
};

// Makes the application's style a LargeTextStyle over the style in use;
// does nothing the second time.
void useLargeTextStyle();

// The device pixel size above which Qt fills text as outlines.
inline constexpr int kLargestCachedGlyph = 64;

} // namespace shell
