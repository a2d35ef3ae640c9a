// The drawn title bar and the "MORVA" menu button.
#include "skin/SkinTitleBar.h"

#include "skin/FramelessFrame.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace morva {
namespace {

enum class Glyph
{
    Minimize,
    Maximize,
    Restore,
    Close
};

QIcon glyphIcon(Glyph g, const QColor& colour, qreal dpr)
{
    const int side = 10;
    QPixmap pm(QSize(side, side) * dpr);
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing, g == Glyph::Close);
    p.setPen(QPen(colour, 1.0));
    switch (g) {
    case Glyph::Minimize: p.drawLine(QPointF(0, 5.5), QPointF(side, 5.5)); break;
    case Glyph::Maximize: p.drawRect(QRectF(0.5, 0.5, side - 1, side - 1)); break;
    case Glyph::Restore:
        p.drawRect(QRectF(0.5, 2.5, side - 3, side - 3));
        p.drawPolyline(QPolygonF({QPointF(2.5, 2.5), QPointF(2.5, 0.5), QPointF(side - 0.5, 0.5),
                                  QPointF(side - 0.5, side - 2.5), QPointF(side - 2.5, side - 2.5)}));
        break;
    case Glyph::Close:
        p.drawLine(QPointF(0.5, 0.5), QPointF(side - 0.5, side - 0.5));
        p.drawLine(QPointF(side - 0.5, 0.5), QPointF(0.5, side - 0.5));
        break;
    }
    return QIcon(pm);
}

QToolButton* captionButton(const char* name, const QString& tip, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoRaise(true);
    b->setIconSize(QSize(10, 10));
    return b;
}

} // namespace

QToolButton* makeMenuButton(QMenu* menu, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QStringLiteral("menuButton"));
    b->setText(QStringLiteral("MORVA"));
    b->setMenu(menu);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setFocusPolicy(Qt::NoFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

SkinTitleBar::SkinTitleBar(QWidget* window, FramelessFrame* frame, QMenu* mainMenu, QWidget* parent)
    : QWidget(parent), m_window(window), m_frame(frame)
{
    setObjectName(QStringLiteral("titleBar"));
    setAttribute(Qt::WA_StyledBackground);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 0, 0, 0);
    row->setSpacing(4);
    m_menuButton = makeMenuButton(mainMenu, this);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    m_min = captionButton("captionButton", QStringLiteral("Свернуть"), this);
    m_max = captionButton("captionButton", QStringLiteral("Развернуть"), this);
    m_close = captionButton("captionClose", QStringLiteral("Закрыть"), this);
    row->addWidget(m_menuButton, 0, Qt::AlignVCenter);
    row->addWidget(m_title, 1);
    row->addWidget(m_min);
    row->addWidget(m_max);
    row->addWidget(m_close);
    setFixedHeight(32);

    connect(m_min, &QToolButton::clicked, m_window, &QWidget::showMinimized);
    connect(m_max, &QToolButton::clicked, this, &SkinTitleBar::toggleMaximized);
    connect(m_close, &QToolButton::clicked, m_window, &QWidget::close);
    m_window->installEventFilter(this);
    m_close->installEventFilter(this);
    refresh();
}

void SkinTitleBar::refresh()
{
    const qreal dpr = devicePixelRatioF();
    const QColor c = m_glyph;
    m_min->setIcon(glyphIcon(Glyph::Minimize, c, dpr));
    const bool maximized = m_window->isMaximized();
    m_max->setIcon(glyphIcon(maximized ? Glyph::Restore : Glyph::Maximize, c, dpr));
    m_max->setToolTip(maximized ? QStringLiteral("Восстановить") : QStringLiteral("Развернуть"));
    m_close->setIcon(glyphIcon(Glyph::Close, m_close->underMouse() ? QColor(Qt::white) : c, dpr));
    m_title->setText(m_window->windowTitle());
}

void SkinTitleBar::setGlyphColor(const QColor& colour)
{
    m_glyph = colour;
    refresh();
}

void SkinTitleBar::toggleMaximized()
{
    if (m_window->isMaximized())
        m_window->showNormal();
    else
        m_window->showMaximized();
}

bool SkinTitleBar::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type t = event->type();
    if (watched == m_window && (t == QEvent::WindowStateChange || t == QEvent::WindowTitleChange))
        refresh();
    if (watched == m_close && (t == QEvent::Enter || t == QEvent::Leave))
        refresh();
    return QWidget::eventFilter(watched, event);
}

void SkinTitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint inFrame = mapTo(parentWidget(), event->position().toPoint());
    if (m_frame->startResize(event, m_frame->edgesAt(inFrame) & ~Qt::BottomEdge))
        return;
    m_frame->startMove(event);
}

void SkinTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_frame->followMouse(event))
        QWidget::mouseMoveEvent(event);
}

void SkinTitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    m_frame->endDrag();
    QWidget::mouseReleaseEvent(event);
}

void SkinTitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        toggleMaximized();
}

} // namespace morva
