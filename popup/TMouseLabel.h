// A label that reports the pointer entering and leaving it, clicks and released buttons.
#pragma once

#include <functional>

#include <QLabel>

namespace morva {

// A plain-text label of a popup window, owned by its parent widget; UI thread only. A click is a left
// press and release inside the label; OnClick comes before OnMouseUp for the same release.
class TMouseLabel : public QLabel
{
    Q_OBJECT

public:
    using Notify = std::function<void(TMouseLabel* Sender)>;
    using MouseNotify = std::function<void(TMouseLabel* Sender, Qt::MouseButton Button, QPoint Pos)>;

    explicit TMouseLabel(QWidget* parent);

    Notify OnMouseEnter;
    Notify OnMouseLeave;
    Notify OnClick;
    MouseNotify OnMouseUp;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fire(const Notify& event);
    bool m_leftDown = false;
};

} // namespace morva
