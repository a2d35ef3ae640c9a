// Pixel arithmetic and painting of the popup background: the gradient, pictures, transparency and rounding.
#include "popup/PopupPaint.h"

#include <cstdint>
#include <cstdlib>

#include <QBitmap>
#include <QPainter>

namespace morva {

int mulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    std::int64_t p = static_cast<std::int64_t>(a) * b;
    std::int64_t d = c;
    if (d < 0) {
        p = -p;
        d = -d;
    }
    const std::int64_t q = p >= 0 ? (p + d / 2) / d : -((-p + d / 2) / d);
    return static_cast<int>(q);
}

int halfRoundedEven(int n)
{
    const int q = n / 2; // truncated toward zero
    const int r = n % 2; // -1, 0 or 1
    if (r == 0)
        return q;
    // n / 2 lies halfway between q and q + r: take the even one.
    return (q % 2 == 0) ? q : q + r;
}

QColor BlendColor(const QColor& c1, const QColor& c2, int i, int n)
{
    if (n == 0)
        return c1; // a one-line gradient has only its start colour
    auto channel = [&](int a, int b) { return a + mulDiv(i, b - a, n); };
    return QColor(channel(c1.red(), c2.red()), channel(c1.green(), c2.green()), channel(c1.blue(), c2.blue()));
}

QImage gradientImage(QSize size, const QColor& c1, const QColor& c2, TOrientation orientation)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    const bool vertical = orientation == TOrientation::mbVertical;
    const int n = vertical ? size.height() : size.width();
    for (int i = 0; i < n; ++i) {
        const QRgb rgb = BlendColor(c1, c2, i, n).rgb();
        if (vertical) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(i));
            for (int x = 0; x < size.width(); ++x)
                line[x] = rgb;
        } else {
            for (int y = 0; y < size.height(); ++y)
                reinterpret_cast<QRgb*>(image.scanLine(y))[i] = rgb;
        }
    }
    return image;
}

QPixmap transparentPixmap(const QImage& picture)
{
    QPixmap pixmap = QPixmap::fromImage(picture);
    if (picture.isNull() || picture.hasAlphaChannel())
        return pixmap;
    const QRgb key = picture.pixel(0, picture.height() - 1);
    pixmap.setMask(pixmap.createMaskFromColor(QColor::fromRgb(key), Qt::MaskInColor));
    return pixmap;
}

QImage backgroundImage(QSize size, const QImage& picture, TMSNImageDrawMethod method)
{
    QImage canvas(size, QImage::Format_RGB32);
    if (canvas.isNull())
        return canvas;
    canvas.fill(Qt::white);
    if (picture.isNull())
        return canvas;
    const QPixmap pixmap = transparentPixmap(picture);
    QPainter painter(&canvas);
    switch (method) {
    case TMSNImageDrawMethod::dmActualSize: painter.drawPixmap(0, 0, pixmap); break;
    case TMSNImageDrawMethod::dmTile:
        for (int y = 0; y < size.height(); y += pixmap.height())
            for (int x = 0; x < size.width(); x += pixmap.width())
                painter.drawPixmap(x, y, pixmap);
        break;
    case TMSNImageDrawMethod::dmFit: painter.drawPixmap(canvas.rect(), pixmap); break;
    }
    return canvas;
}

} // namespace morva
