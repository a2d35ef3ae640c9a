// One popup notification window: placement, background, text layout, the slide animation and the clicks.
#pragma once

#include "popup/PopupTypes.h"

#include <string>

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QFrame;
class QLabel;

namespace morva {

class TMSNPopUp;
class TMouseLabel;

// Created by TMSNPopUp::Popup(), which owns it; it frees itself (deferred) when it closes and gives its
// place back to the notifier. It shares the notifier's fonts and icon, so it must not outlive it. A tool
// window that stays on top and never takes the focus. UI thread only.
class TfrmMSNPopUp : public QWidget
{
    Q_OBJECT

public:
    // Creates the window hidden, with its controls.
    explicit TfrmMSNPopUp(TMSNPopUp& owner);
    ~TfrmMSNPopUp() override;

    // Takes the notifier's current settings.
    void copySettings();
    // Places, paints and shows the window and starts its animation.
    void Display();
    // Sets the text and centres it in the window at the label's current font.
    void LayoutText();

    // Handlers of the controls and timers.
    void lblTextMouseEnter();
    void lblTextMouseLeave();
    void lblTextClick();
    void lblTextMouseUp(Qt::MouseButton button);
    void lblTitleMouseUp(Qt::MouseButton button);
    void imgIconMouseUp(Qt::MouseButton button);
    void imgGradientMouseUp(Qt::MouseButton button);
    void tmrScrollTimer();
    void tmrExitTimer();
    void tmrscrollDownTimer();

    // Closes the window: freed when FreeOnClose, otherwise only hidden.
    void closePopup();

    bool FreeOnClose() const { return m_freeOnClose; }
    int StartOffset() const { return m_startOffset; }
    ScreenEdge taskbarEdge() const { return m_edge; }
    bool freed() const { return m_freed; }

    QFrame* pnlBorder() const { return m_pnlBorder; }
    QLabel* imgGradient() const { return m_imgGradient; }
    QLabel* imgIcon() const { return m_imgIcon; }
    TMouseLabel* lblText() const { return m_lblText; }
    TMouseLabel* lblTitle() const { return m_lblTitle; }
    QLabel* imgMsn() const { return m_imgMsn; }
    QTimer& tmrExit() { return m_tmrExit; }
    QTimer& tmrScroll() { return m_tmrScroll; }
    QTimer& tmrScrollDown() { return m_tmrScrollDown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void applyFont(const PopupFont& font);
    void paintBackground();
    // Runs the notifier's OnClick, if any, with the window kept alive meanwhile; then closes.
    void clickAndClose();

    TMSNPopUp& m_owner;

    // Copies of the notifier's settings.
    int m_width = 0;
    int m_height = 0;
    std::string m_text;
    std::string m_url;
    std::string m_title;
    int m_timeOut = 0;
    int m_scrollSpeed = 1;
    QColor m_gradientColor1;
    QColor m_gradientColor2;
    TOrientation m_gradientOrientation = TOrientation::mbVertical;
    Qt::CursorShape m_textCursor = Qt::ArrowCursor;
    TMSNImageDrawMethod m_backgroundDrawMethod = TMSNImageDrawMethod::dmActualSize;
    TDefaultMonitor m_defaultMonitor = TDefaultMonitor::dmDesktop;
    bool m_allowScroll = false;
    bool m_allowHyperlink = false;

    ScreenEdge m_edge = ScreenEdge::None;
    int m_startOffset = 0;
    bool m_freeOnClose = true;
    bool m_freed = false;

    QFrame* m_pnlBorder = nullptr;
    QLabel* m_imgGradient = nullptr;
    QLabel* m_imgIcon = nullptr;
    TMouseLabel* m_lblText = nullptr;
    TMouseLabel* m_lblTitle = nullptr;
    QTimer m_tmrExit;
    QTimer m_tmrScroll;
    QTimer m_tmrScrollDown;
    QLabel* m_imgMsn = nullptr;
    // The window that was active when this one was shown; it gets the activation back should this one get it.
    QPointer<QWidget> m_previousActive;
};

} // namespace morva
