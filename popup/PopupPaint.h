// Pixel arithmetic and painting of the popup background: the gradient, pictures, transparency and rounding.
#pragma once

#include "popup/PopupTypes.h"

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QSize>

namespace morva {

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0 (as the Windows call does).
int mulDiv(int a, int b, int c);

// n / 2 rounded to the nearest integer, halves to even.
int halfRoundedEven(int n);

// The colour of row or column i of n: c1 at 0, c2 at n, each channel c1 + mulDiv(i, c2 - c1, n).
QColor BlendColor(const QColor& c1, const QColor& c2, int i, int n);

// A gradient picture of the given size: rows shade downward (mbVertical) or columns rightward (mbHorizontal).
QImage gradientImage(QSize size, const QColor& c1, const QColor& c2, TOrientation orientation);

// The picture with its transparent colour taken out. A picture with an alpha channel keeps it; one without
// treats the colour of its bottom-left pixel as transparent.
QPixmap transparentPixmap(const QImage& picture);

// A canvas of the given size with the background picture drawn onto white by the given method.
QImage backgroundImage(QSize size, const QImage& picture, TMSNImageDrawMethod method);

} // namespace morva
