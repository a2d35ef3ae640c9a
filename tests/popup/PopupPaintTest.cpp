// Pixel arithmetic of the popup background, the gradient, transparency and the built-in strip.
#include "popup/PopupPaint.h"

#include "resources/MorvaResources.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace morva {
namespace {

struct MulDivCase
{
    int a, b, c, expected;
};

TEST(MulDiv, RoundsToNearestWithHalvesAwayFromZero)
{
    // clang-format off
    const MulDivCase cases[] = {
        {1, 1, 2, 1},       // 0.5 up
        {1, 3, 4, 1},       // 0.75
        {1, 1, 4, 0},       // 0.25
        {-1, 1, 2, -1},     // -0.5 away from zero
        {1, -3, 4, -1},     // -0.75
        {3, 5, -2, -8},     // -7.5, negative divisor
        {60, 102, 114, 54}, // a gradient row: 53.68
        {0, 7, 3, 0},
        {1, 1, 0, -1},      // no divisor: the platform's error value
        {2000000000, 2, 4, 1000000000}, // the product needs 64 bits
    };
    // clang-format on
    for (const MulDivCase& k : cases)
        EXPECT_EQ(mulDiv(k.a, k.b, k.c), k.expected) << k.a << " * " << k.b << " / " << k.c;
}

TEST(HalfRoundedEven, HalvesGoToTheEvenNeighbour)
{
    const int cases[][2] = {{4, 2}, {3, 2}, {5, 2}, {7, 4}, {1, 0}, {-1, 0}, {-3, -2}, {15, 8}, {0, 0}};
    for (const auto& k : cases)
        EXPECT_EQ(halfRoundedEven(k[0]), k[1]) << k[0] << " / 2";
}

TEST(BlendColor, RunsFromTheFirstColourToTheSecond)
{
    const QColor c1(0x99, 0xCC, 0xFF), c2(0xFF, 0xFF, 0xFF);
    EXPECT_EQ(BlendColor(c1, c2, 0, 114), c1);
    EXPECT_EQ(BlendColor(c1, c2, 114, 114), c2);
    // row 57 of 114: 0x99 + mulDiv(57, 102, 114) = 153 + 51, 0xCC + mulDiv(57, 51, 114) = 204 + 26 (25.5 up)
    EXPECT_EQ(BlendColor(c1, c2, 57, 114), QColor(204, 230, 255));
    // falling channels round away from zero too
    EXPECT_EQ(BlendColor(QColor(10, 10, 10), QColor(9, 9, 9), 1, 2), QColor(9, 9, 9));
    EXPECT_EQ(BlendColor(c1, c2, 0, 0), c1);
}

TEST(GradientImage, ShadesRowsOrColumns)
{
    const QColor c1(0, 0, 0), c2(100, 200, 40);
    const QImage v = gradientImage(QSize(5, 10), c1, c2, TOrientation::mbVertical);
    ASSERT_EQ(v.size(), QSize(5, 10));
    for (int y : {0, 3, 9}) {
        for (int x : {0, 4})
            EXPECT_EQ(QColor(v.pixel(x, y)), BlendColor(c1, c2, y, 10)) << x << "," << y;
    }
    const QImage h = gradientImage(QSize(10, 5), c1, c2, TOrientation::mbHorizontal);
    for (int x : {0, 6, 9}) {
        for (int y : {0, 4})
            EXPECT_EQ(QColor(h.pixel(x, y)), BlendColor(c1, c2, x, 10)) << x << "," << y;
    }
}

QImage twoColour(QSize size, QColor main, QColor key)
{
    // A picture with a bottom-left key colour and one pixel of main colour at its top-left.
    QImage img(size, QImage::Format_RGB32);
    img.fill(key);
    img.setPixel(0, 0, main.rgb());
    return img;
}

TEST(BackgroundImage, DrawsByMethodWithTheBottomLeftColourTransparent)
{
    const QColor red(255, 0, 0), key(0, 255, 0);
    const QImage pic = twoColour(QSize(4, 3), red, key);

    const QImage actual = backgroundImage(QSize(10, 7), pic, TMSNImageDrawMethod::dmActualSize);
    EXPECT_EQ(QColor(actual.pixel(0, 0)), red);
    EXPECT_EQ(QColor(actual.pixel(1, 1)), QColor(Qt::white)) << "the key colour lets the canvas through";
    EXPECT_EQ(QColor(actual.pixel(4, 3)), QColor(Qt::white));

    const QImage tiled = backgroundImage(QSize(10, 7), pic, TMSNImageDrawMethod::dmTile);
    for (QPoint p : {QPoint(0, 0), QPoint(4, 0), QPoint(8, 0), QPoint(0, 3), QPoint(8, 6)})
        EXPECT_EQ(QColor(tiled.pixel(p)), red) << p.x() << "," << p.y();

    const QImage fit = backgroundImage(QSize(8, 6), twoColour(QSize(2, 2), red, key), TMSNImageDrawMethod::dmFit);
    EXPECT_EQ(QColor(fit.pixel(3, 2)), red) << "the top-left quarter is the stretched red pixel";
    EXPECT_EQ(QColor(fit.pixel(6, 4)), QColor(Qt::white));
}

TEST(TransparentPixmap, KeepsAnAlphaChannelAsItIs)
{
    QImage img(2, 2, QImage::Format_ARGB32);
    img.fill(QColor(0, 0, 255));
    QImage canvas(2, 2, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter(&canvas).drawPixmap(0, 0, transparentPixmap(img));
    EXPECT_EQ(QColor(canvas.pixel(1, 1)), QColor(0, 0, 255)) << "no key colour is taken out of an alpha picture";
}

TEST(MsnStrip, IsA138By3StripFromWhiteToLightBlue)
{
    initMorvaResources();
    QImage strip;
    ASSERT_TRUE(strip.load(QStringLiteral(":/MSN")));
    ASSERT_EQ(strip.size(), QSize(138, 3));
    EXPECT_FALSE(strip.hasAlphaChannel());
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(QColor(strip.pixel(0, y)), QColor(0xFF, 0xFF, 0xFF));
        EXPECT_EQ(QColor(strip.pixel(137, y)), QColor(0x01, 0xAA, 0xE0));
    }
    // Even steps: every column is the straight-line blend, within rounding.
    for (int x = 0; x < 138; ++x) {
        const QColor c(strip.pixel(x, 1));
        const QColor want = BlendColor(QColor(0xFF, 0xFF, 0xFF), QColor(0x01, 0xAA, 0xE0), x, 137);
        EXPECT_NEAR(c.red(), want.red(), 1) << x;
        EXPECT_NEAR(c.green(), want.green(), 1) << x;
        EXPECT_NEAR(c.blue(), want.blue(), 1) << x;
    }
}

} // namespace
} // namespace morva
