// Paints the program's tool bar icons, window icon and logo into images/ (run by hand when they should change;
// the PNGs it writes are committed): morva_make_icons <images folder>.
#include <cmath>
#include <functional>

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor kInk(0x30, 0x36, 0x3d);
const QColor kBlue(0x00, 0x67, 0xc0);
const QColor kGreen(0x10, 0x89, 0x3e);
const QColor kRed(0xc4, 0x2b, 0x1c);

QPen pen(const QColor& c, qreal w = 2.0)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A plug: body with two pins, and its cable.
void plug(QPainter& p, const QColor& c)
{
    p.setPen(pen(c));
    p.setBrush(Qt::NoBrush);
    QPainterPath body;
    body.moveTo(7, 9);
    body.lineTo(17, 9);
    body.lineTo(17, 13);
    body.cubicTo(17, 16, 15, 18, 12, 18);
    body.cubicTo(9, 18, 7, 16, 7, 13);
    body.closeSubpath();
    p.drawPath(body);
    p.drawLine(QPointF(10, 9), QPointF(10, 4));
    p.drawLine(QPointF(14, 9), QPointF(14, 4));
    p.drawLine(QPointF(12, 18), QPointF(12, 22));
}

void drawIcon(const QString& dir, const QString& name, const std::function<void(QPainter&)>& draw)
{
    QImage img(48, 48, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2, 2);
    draw(p);
    p.end();
    img.save(dir + "/" + name + ".png");
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("images");
    QDir().mkpath(dir);

    drawIcon(dir, "connect", [](QPainter& p) {
        plug(p, kInk);
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(19, 19), 4.5, 4.5);
        p.setPen(pen(Qt::white, 1.6));
        p.drawPolyline(QPolygonF({QPointF(17, 19), QPointF(18.6, 20.6), QPointF(21.2, 17.6)}));
    });
    drawIcon(dir, "disconnect", [](QPainter& p) {
        plug(p, kInk);
        p.setPen(Qt::NoPen);
        p.setBrush(kRed);
        p.drawEllipse(QPointF(19, 19), 4.5, 4.5);
        p.setPen(pen(Qt::white, 1.6));
        p.drawLine(QPointF(17.2, 17.2), QPointF(20.8, 20.8));
        p.drawLine(QPointF(20.8, 17.2), QPointF(17.2, 20.8));
    });
    drawIcon(dir, "join", [](QPainter& p) {
        // a channel sign with a plus
        p.setPen(pen(kInk));
        p.drawLine(QPointF(8, 4), QPointF(6, 20));
        p.drawLine(QPointF(14, 4), QPointF(12, 20));
        p.drawLine(QPointF(3.5, 9), QPointF(16.5, 9));
        p.drawLine(QPointF(2.5, 15), QPointF(15.5, 15));
        p.setPen(Qt::NoPen);
        p.setBrush(kBlue);
        p.drawEllipse(QPointF(18.5, 18.5), 5, 5);
        p.setPen(pen(Qt::white, 1.8));
        p.drawLine(QPointF(18.5, 15.8), QPointF(18.5, 21.2));
        p.drawLine(QPointF(15.8, 18.5), QPointF(21.2, 18.5));
    });
    drawIcon(dir, "leave", [](QPainter& p) {
        // a door left by an arrow
        p.setPen(pen(kInk));
        p.drawPolyline(QPolygonF({QPointF(13, 4), QPointF(5, 4), QPointF(5, 20), QPointF(13, 20)}));
        p.setPen(pen(kRed));
        p.drawLine(QPointF(9, 12), QPointF(21, 12));
        p.drawPolyline(QPolygonF({QPointF(17, 8), QPointF(21, 12), QPointF(17, 16)}));
    });
    drawIcon(dir, "channel", [](QPainter& p) {
        // three sliders
        p.setPen(pen(kInk));
        for (int i = 0; i < 3; ++i) {
            const qreal y = 6 + i * 6;
            p.drawLine(QPointF(3, y), QPointF(21, y));
        }
        p.setPen(pen(kBlue, 2));
        p.setBrush(Qt::white);
        const qreal xs[] = {8, 16, 11};
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(xs[i], 6 + i * 6), 2.6, 2.6);
    });
    drawIcon(dir, "exit", [](QPainter& p) {
        // the power sign
        p.setPen(pen(kRed, 2.2));
        p.drawArc(QRectF(4, 5, 16, 16), 120 * 16, 300 * 16);
        p.drawLine(QPointF(12, 3), QPointF(12, 12));
    });

    // The window icon: a speech bubble with the letter M.
    {
        QImage img(256, 256, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 0, 256);
        g.setColorAt(0, QColor(0x1a, 0x8c, 0xff));
        g.setColorAt(1, QColor(0x00, 0x4e, 0x9a));
        QPainterPath bubble;
        bubble.addRoundedRect(QRectF(16, 20, 224, 176), 48, 48);
        QPainterPath tail;
        tail.moveTo(60, 180);
        tail.lineTo(44, 240);
        tail.lineTo(120, 190);
        bubble = bubble.united(tail);
        p.fillPath(bubble, g);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(132);
        f.setBold(true);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(16, 20, 224, 176), Qt::AlignCenter, QStringLiteral("M"));
        p.end();
        img.save(dir + "/morva.png");
    }

    // The logo: 590 by 360, the name over a blue gradient with a row of chat bubbles.
    {
        QImage img(590, 360, QImage::Format_RGB32);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QLinearGradient g(0, 0, 590, 360);
        g.setColorAt(0, QColor(0x0b, 0x3d, 0x7a));
        g.setColorAt(1, QColor(0x00, 0x8c, 0xd8));
        p.fillRect(img.rect(), g);
        p.setPen(Qt::NoPen);
        for (int i = 0; i < 9; ++i) {
            p.setBrush(QColor(255, 255, 255, 18 + i * 4));
            const qreal r = 30 + 14 * std::sin(i * 1.3);
            p.drawEllipse(QPointF(40 + i * 64, 300 - 20 * std::cos(i * 0.9)), r, r * 0.7);
        }
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(96);
        f.setBold(true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 70, 590, 120), Qt::AlignCenter, QStringLiteral("MORVA"));
        f.setPixelSize(24);
        f.setBold(false);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        p.setFont(f);
        p.setPen(QColor(255, 255, 255, 220));
        p.drawText(QRectF(0, 185, 590, 40), Qt::AlignCenter, QString::fromUtf8("IRC-клиент сети Dawnhall"));
        p.end();
        img.save(dir + "/logo.png");
    }
    return 0;
}
