// Recolouring the built-in icons for a skin.
#include "skin/SkinIcon.h"

#include <cstdlib>

#include <QImage>
#include <QPixmap>

namespace morva {

QIcon skinIcon(const QString& path, const Skin& skin)
{
    QImage img(path);
    if (img.isNull())
        return {};
    img = img.convertToFormat(QImage::Format_ARGB32);
    const QRgb to = skin.text.rgb();
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = line[x];
            const int d = std::abs(qRed(p) - kIconInk.red()) + std::abs(qGreen(p) - kIconInk.green()) +
                          std::abs(qBlue(p) - kIconInk.blue());
            if (qAlpha(p) > 0 && d < 24)
                line[x] = qRgba(qRed(to), qGreen(to), qBlue(to), qAlpha(p));
        }
    }
    QPixmap pm = QPixmap::fromImage(img);
    // The pictures are drawn at twice the tool bar's icon size.
    pm.setDevicePixelRatio(2.0);
    return QIcon(pm);
}

} // namespace morva
