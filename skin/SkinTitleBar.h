// SkinTitleBar: the title bar a window draws for itself while the skin's extended borders are on.
#pragma once

#include <QColor>
#include <QWidget>

class QLabel;
class QMenu;
class QToolButton;

namespace morva {

class FramelessFrame;

// The drop-down button "MORVA" with the window's main menu at the left, the window title, and the minimise,
// maximise/restore and close buttons at the right. Dragging the empty part moves the window, a double click
// maximises or restores it, and a press along its top edge resizes the window. A child of the window's frame;
// UI thread only.
class SkinTitleBar : public QWidget
{
    Q_OBJECT

public:
    SkinTitleBar(QWidget* window, FramelessFrame* frame, QMenu* mainMenu, QWidget* parent);

    QToolButton* menuButton() const { return m_menuButton; }
    QToolButton* minimizeButton() const { return m_min; }
    QToolButton* maximizeButton() const { return m_max; }
    QToolButton* closeButton() const { return m_close; }
    // The colour of the caption button glyphs (the skin's title text).
    void setGlyphColor(const QColor& colour);
    // Redraws the button glyphs and follows the window's title and state.
    void refresh();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggleMaximized();

    QWidget* m_window;
    FramelessFrame* m_frame;
    QToolButton* m_menuButton;
    QLabel* m_title;
    QToolButton* m_min;
    QToolButton* m_max;
    QToolButton* m_close;
    QColor m_glyph{0x1f, 0x1f, 0x1f};
};

// A drop-down button captioned "MORVA" that opens menu on a click.
QToolButton* makeMenuButton(QMenu* menu, QWidget* parent);

} // namespace morva
