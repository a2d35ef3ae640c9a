// FramelessFrame: moving and resizing by mouse a window that draws its own frame.
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QWidget;
class QMouseEvent;

namespace morva {

// Watches the frame widget that fills a frameless top-level window. Within kGrip pixels of the frame's edges
// (left, right and bottom; the title bar passes presses near the top on) the cursor shows the resize shape and
// a press resizes the window. Moving and resizing go through the window system where it offers them
// (startSystemMove/startSystemResize), and otherwise follow the mouse directly. Owned by the window it
// serves; UI thread only.
class FramelessFrame : public QObject
{
    Q_OBJECT

public:
    static constexpr int kGrip = 5;

    FramelessFrame(QWidget* window, QWidget* frame);

    void setActive(bool on);
    bool active() const { return m_active; }

    // The title bar's entry points: a press that starts a move or, near an edge, a resize.
    void startMove(QMouseEvent* press);
    bool startResize(QMouseEvent* press, Qt::Edges edges);
    // Follows the mouse during a move or resize that the window system did not take over.
    bool followMouse(QMouseEvent* move);
    void endDrag();

    Qt::Edges edgesAt(QPoint framePos) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateCursor(Qt::Edges edges);

    QWidget* m_window;
    QWidget* m_frame;
    bool m_active = false;
    enum class Drag
    {
        None,
        Move,
        Resize
    } m_drag = Drag::None;
    Qt::Edges m_edges;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};

} // namespace morva
