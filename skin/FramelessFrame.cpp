// Moving and resizing a frameless window by mouse.
#include "skin/FramelessFrame.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace morva {

FramelessFrame::FramelessFrame(QWidget* window, QWidget* frame) : QObject(window), m_window(window), m_frame(frame)
{
    m_frame->setMouseTracking(true);
    m_frame->installEventFilter(this);
}

void FramelessFrame::setActive(bool on)
{
    m_active = on;
    if (!on) {
        endDrag();
        m_frame->unsetCursor();
    }
}

Qt::Edges FramelessFrame::edgesAt(QPoint p) const
{
    Qt::Edges e;
    if (!m_active || m_window->isMaximized() || m_window->isFullScreen())
        return e;
    const QRect r = m_frame->rect();
    if (p.x() < kGrip)
        e |= Qt::LeftEdge;
    if (p.x() >= r.width() - kGrip)
        e |= Qt::RightEdge;
    if (p.y() < kGrip)
        e |= Qt::TopEdge;
    if (p.y() >= r.height() - kGrip)
        e |= Qt::BottomEdge;
    return e;
}

void FramelessFrame::updateCursor(Qt::Edges e)
{
    const bool h = e & (Qt::LeftEdge | Qt::RightEdge);
    const bool v = e & (Qt::TopEdge | Qt::BottomEdge);
    if (h && v) {
        const bool falling = ((e & Qt::LeftEdge) && (e & Qt::TopEdge)) || ((e & Qt::RightEdge) && (e & Qt::BottomEdge));
        m_frame->setCursor(falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor);
    } else if (h) {
        m_frame->setCursor(Qt::SizeHorCursor);
    } else if (v) {
        m_frame->setCursor(Qt::SizeVerCursor);
    } else {
        m_frame->unsetCursor();
    }
}

void FramelessFrame::startMove(QMouseEvent* press)
{
    if (!m_active)
        return;
    if (m_window->windowHandle() && m_window->windowHandle()->startSystemMove())
        return;
    m_drag = Drag::Move;
    m_pressGlobal = press->globalPosition().toPoint();
    m_pressGeometry = m_window->frameGeometry();
}

bool FramelessFrame::startResize(QMouseEvent* press, Qt::Edges edges)
{
    if (!m_active || !edges)
        return false;
    if (m_window->windowHandle() && m_window->windowHandle()->startSystemResize(edges))
        return true;
    m_drag = Drag::Resize;
    m_edges = edges;
    m_pressGlobal = press->globalPosition().toPoint();
    m_pressGeometry = m_window->geometry();
    return true;
}

bool FramelessFrame::followMouse(QMouseEvent* move)
{
    if (m_drag == Drag::None)
        return false;
    if (!(move->buttons() & Qt::LeftButton)) {
        endDrag();
        return false;
    }
    const QPoint d = move->globalPosition().toPoint() - m_pressGlobal;
    if (m_drag == Drag::Move) {
        m_window->move(m_pressGeometry.topLeft() + d);
        return true;
    }
    QRect g = m_pressGeometry;
    const QSize min = m_window->minimumSize();
    if (m_edges & Qt::LeftEdge)
        g.setLeft(std::min(g.left() + d.x(), g.right() - min.width() + 1));
    if (m_edges & Qt::RightEdge)
        g.setRight(std::max(g.right() + d.x(), g.left() + min.width() - 1));
    if (m_edges & Qt::TopEdge)
        g.setTop(std::min(g.top() + d.y(), g.bottom() - min.height() + 1));
    if (m_edges & Qt::BottomEdge)
        g.setBottom(std::max(g.bottom() + d.y(), g.top() + min.height() - 1));
    m_window->setGeometry(g);
    return true;
}

void FramelessFrame::endDrag()
{
    m_drag = Drag::None;
}

bool FramelessFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_frame || !m_active)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (followMouse(me))
            return true;
        updateCursor(edgesAt(me->position().toPoint()));
        break;
    }
    case QEvent::MouseButtonPress: {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && startResize(me, edgesAt(me->position().toPoint())))
            return true;
        break;
    }
    case QEvent::MouseButtonRelease: endDrag(); break;
    case QEvent::Leave:
        if (m_drag == Drag::None)
            m_frame->unsetCursor();
        break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morva
