// A label that reports the pointer entering and leaving it, clicks and released buttons.
#include "popup/TMouseLabel.h"

#include <QMouseEvent>

namespace morva {

TMouseLabel::TMouseLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::NoFocus);
    setMargin(0);
    setIndent(0);
}

void TMouseLabel::fire(const Notify& event)
{
    if (event)
        event(this);
}

void TMouseLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    fire(OnMouseEnter);
}

void TMouseLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    fire(OnMouseLeave);
}

void TMouseLabel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_leftDown = true;
    event->accept();
}

void TMouseLabel::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    const Qt::MouseButton button = event->button();
    const QPoint pos = event->position().toPoint();
    if (button == Qt::LeftButton && m_leftDown) {
        m_leftDown = false;
        if (rect().contains(pos))
            fire(OnClick);
    }
    if (OnMouseUp)
        OnMouseUp(this, button, pos);
}

} // namespace morva
