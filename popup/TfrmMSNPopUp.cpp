// One popup notification window: placement, background, text layout, the slide animation and the clicks.
#include "popup/TfrmMSNPopUp.h"

#include "popup/PopupPaint.h"
#include "popup/TMSNPopUp.h"
#include "popup/TMouseLabel.h"
#include "text/QtText.h"

#include <algorithm>
#include <climits>

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QPointer>

namespace morva {

namespace {

constexpr int BevelWidth = 2;
constexpr int StripHeight = 3;
constexpr int ScrollIntervalMs = 25;

int rightOf(const QRect& r)
{
    return r.x() + r.width();
}
int bottomOf(const QRect& r)
{
    return r.y() + r.height();
}

Qt::Alignment horizontalAlignment(TAlignment a)
{
    switch (a) {
    case TAlignment::taLeftJustify: return Qt::AlignLeft;
    case TAlignment::taRightJustify: return Qt::AlignRight;
    case TAlignment::taCenter: break;
    }
    return Qt::AlignHCenter;
}

void setTextColor(QWidget* w, const QColor& color)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, color);
    w->setPalette(p);
}

} // namespace

TfrmMSNPopUp::TfrmMSNPopUp(TMSNPopUp& owner)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      m_owner(owner)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QStringLiteral("MORVA"));

    m_pnlBorder = new QFrame(this);
    m_pnlBorder->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pnlBorder->setLineWidth(BevelWidth);

    m_imgGradient = new QLabel(m_pnlBorder);
    m_imgGradient->installEventFilter(this);

    // Never shows a picture (the icon is painted into the background); it only takes the clicks on the icon.
    m_imgIcon = new QLabel(m_pnlBorder);
    m_imgIcon->setGeometry(3, 8, 40, 40);
    m_imgIcon->installEventFilter(this);

    m_lblText = new TMouseLabel(m_pnlBorder);
    m_lblText->setWordWrap(true);
    m_lblText->setGeometry(9, 49, 3, 13);
    m_lblText->OnMouseEnter = [this](TMouseLabel*) { lblTextMouseEnter(); };
    m_lblText->OnMouseLeave = [this](TMouseLabel*) { lblTextMouseLeave(); };
    m_lblText->OnClick = [this](TMouseLabel*) { lblTextClick(); };
    m_lblText->OnMouseUp = [this](TMouseLabel*, Qt::MouseButton button, QPoint) { lblTextMouseUp(button); };

    m_lblTitle = new TMouseLabel(m_pnlBorder);
    m_lblTitle->move(48, 8);
    m_lblTitle->OnMouseUp = [this](TMouseLabel*, Qt::MouseButton button, QPoint) { lblTitleMouseUp(button); };

    m_tmrExit.setInterval(10000);
    m_tmrScroll.setInterval(ScrollIntervalMs);
    m_tmrScrollDown.setInterval(ScrollIntervalMs);
    connect(&m_tmrExit, &QTimer::timeout, this, &TfrmMSNPopUp::tmrExitTimer);
    connect(&m_tmrScroll, &QTimer::timeout, this, &TfrmMSNPopUp::tmrScrollTimer);
    connect(&m_tmrScrollDown, &QTimer::timeout, this, &TfrmMSNPopUp::tmrscrollDownTimer);
}

TfrmMSNPopUp::~TfrmMSNPopUp() = default;

void TfrmMSNPopUp::copySettings()
{
    const TMSNPopUp& o = m_owner;
    m_width = std::max(1, o.Width);
    m_height = std::max(1, o.Height);
    m_text = o.Text;
    m_url = o.URL;
    m_title = o.Title;
    // A speed below 1 would never finish sliding and a negative time-out would never run out: keep both in range.
    m_timeOut = std::clamp(o.TimeOut, 0, INT_MAX / 1000);
    m_scrollSpeed = std::clamp(o.ScrollSpeed, 1, 50);
    m_gradientColor1 = o.GradientColor1;
    m_gradientColor2 = o.GradientColor2;
    m_gradientOrientation = o.GradientOrientation;
    m_textCursor = o.TextCursor;
    m_backgroundDrawMethod = o.BackgroundDrawMethod;
    m_defaultMonitor = o.DefaultMonitor;
    m_allowScroll = o.Options.has(TMSNPopupOption::msnAllowScroll);
    m_allowHyperlink = o.Options.has(TMSNPopupOption::msnAllowHyperlink);
    m_lblText->setAlignment(horizontalAlignment(o.TextAlignment) | Qt::AlignVCenter);
    m_pnlBorder->setGeometry(rect());
}

void TfrmMSNPopUp::Display()
{
    resize(m_width, m_height);
    m_pnlBorder->setGeometry(0, 0, m_width, m_height);
    if (!m_imgMsn) {
        m_imgMsn = new QLabel(m_pnlBorder);
        m_imgMsn->setScaledContents(true);
    }
    m_lblText->setCursor(m_textCursor);

    m_edge = m_owner.TaskbarEdge();
    m_freeOnClose = true;

    const QRect w = m_owner.WorkArea();
    const int offset = m_owner.CascadeOffset();
    QPoint place = pos();
    switch (m_edge) {
    case ScreenEdge::Left:
        place = {w.x() + m_owner.PopupStartX, bottomOf(w) - m_owner.PopupStartY - m_height - offset};
        break;
    case ScreenEdge::Top:
        place = {rightOf(w) - m_width - m_owner.PopupStartX, w.y() + m_owner.PopupStartY + offset};
        break;
    case ScreenEdge::Right:
    case ScreenEdge::Bottom:
        place = {rightOf(w) - m_width - m_owner.PopupStartX, bottomOf(w) - m_owner.PopupStartY - m_height - offset};
        break;
    case ScreenEdge::None: break; // TaskbarEdge() never reports it
    }
    move(place);

    m_startOffset = offset;
    if (m_owner.Options.has(TMSNPopupOption::msnCascadePopups)) {
        if (m_edge != ScreenEdge::None)
            m_owner.addCascadeOffset(m_height + m_owner.PopupMarge);
    } else {
        m_owner.resetCascadeOffset();
    }

    m_lblTitle->setFont(m_owner.TitleFont.font);
    setTextColor(m_lblTitle, m_owner.TitleFont.color);
    m_lblTitle->setText(text::toQString(m_title));
    m_lblTitle->adjustSize();

    // Creates the native window now, without mapping it, so that the first frame on screen is already the sliver.
    (void)winId();

    // The panel and its content keep the full size at the window's top-left corner while the window itself
    // grows and shrinks around them.
    const QRect inner = m_pnlBorder->contentsRect();
    m_imgGradient->setGeometry(inner.x(), inner.y(), inner.width(), std::max(0, inner.height() - StripHeight));
    m_imgMsn->setGeometry(inner.x(), inner.y() + inner.height() - StripHeight, inner.width(), StripHeight);

    paintBackground();

    m_tmrExit.setInterval(m_timeOut * 1000);

    if (m_allowScroll) {
        m_edge = m_owner.TaskbarEdge();
        QRect g = geometry();
        switch (m_edge) {
        case ScreenEdge::Left: g.setWidth(1); break;
        case ScreenEdge::Top: g.setHeight(1); break;
        case ScreenEdge::Right:
            g.setLeft(g.right()); // the right side stays
            break;
        case ScreenEdge::Bottom:
            g.setTop(g.bottom()); // the bottom stays
            break;
        case ScreenEdge::None: break;
        }
        setGeometry(g);
        m_tmrScroll.start();
    } else {
        m_tmrExit.start();
    }

    m_previousActive = QApplication::activeWindow();
    show();

    applyFont(m_owner.HoverFont);
    LayoutText();
    applyFont(m_owner.Font);
    LayoutText();
}

void TfrmMSNPopUp::paintBackground()
{
    const QSize size = m_imgGradient->size();
    QImage canvas;
    if (m_owner.BackgroundImage.isNull()) {
        QPixmap strip;
        if (strip.load(QStringLiteral(":/MSN"), "PNG"))
            m_imgMsn->setPixmap(strip);
        canvas = gradientImage(size, m_gradientColor1, m_gradientColor2, m_gradientOrientation);
    } else {
        canvas = backgroundImage(size, m_owner.BackgroundImage, m_backgroundDrawMethod);
    }

    if (m_owner.IconBitmap.isNull()) {
        m_lblTitle->move(8, m_lblTitle->y());
    } else if (!canvas.isNull()) {
        QPainter painter(&canvas);
        painter.drawPixmap(m_owner.IconLeft, m_owner.IconTop, transparentPixmap(m_owner.IconBitmap));
    }
    m_imgGradient->setPixmap(QPixmap::fromImage(canvas));
}

void TfrmMSNPopUp::applyFont(const PopupFont& font)
{
    m_lblText->setFont(font.font);
    setTextColor(m_lblText, font.color);
}

void TfrmMSNPopUp::LayoutText()
{
    const QString text = text::toQString(m_text);
    m_lblText->setText(text);
    const int panelWidth = m_pnlBorder->width();
    const int panelHeight = m_pnlBorder->height();
    // Like an auto-sized word-wrapping label: the width caps the lines, the label then takes the size of the
    // wrapped text (its widest line, its line count); an empty text still takes one line.
    const QFontMetrics metrics(m_lblText->font());
    const int flags = Qt::TextWordWrap | Qt::TextExpandTabs | int(m_lblText->alignment() & Qt::AlignHorizontal_Mask);
    const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(1, panelWidth - 15), INT_MAX / 4), flags,
                                              text.isEmpty() ? QStringLiteral(" ") : text);
    const int w = bounds.width();
    const int h = bounds.height();
    m_lblText->setGeometry(halfRoundedEven(panelWidth - w), halfRoundedEven(panelHeight - h), w, h);
}

void TfrmMSNPopUp::lblTextMouseEnter()
{
    if (!m_allowHyperlink || m_freed)
        return;
    applyFont(m_owner.HoverFont);
    LayoutText();
}

void TfrmMSNPopUp::lblTextMouseLeave()
{
    if (!m_allowHyperlink || m_freed)
        return;
    applyFont(m_owner.Font);
    LayoutText();
}

void TfrmMSNPopUp::lblTextClick()
{
    if (m_freed)
        return;
    // The handlers may run a message loop (a box, the browser starting); a timer closing the window meanwhile
    // only hides it, and it is freed once they are done.
    m_freeOnClose = false;
    const QPointer<TfrmMSNPopUp> self(this);
    if (m_allowHyperlink) {
        if (m_owner.OnURLClick)
            m_owner.OnURLClick(&m_owner, m_url);
        if (!self)
            return;
        if (m_owner.Options.has(TMSNPopupOption::msnAutoOpenURL))
            m_owner.platform().openUrl(m_url);
    } else if (m_owner.OnClick) {
        m_owner.OnClick(&m_owner);
    }
    if (!self)
        return;
    m_freeOnClose = true;
    closePopup();
}

void TfrmMSNPopUp::clickAndClose()
{
    if (m_freed)
        return;
    if (m_owner.OnClick) {
        m_freeOnClose = false;
        const QPointer<TfrmMSNPopUp> self(this);
        m_owner.OnClick(&m_owner);
        if (!self)
            return;
        m_freeOnClose = true;
    }
    closePopup();
}

void TfrmMSNPopUp::lblTextMouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        clickAndClose();
}

void TfrmMSNPopUp::lblTitleMouseUp(Qt::MouseButton)
{
    clickAndClose();
}

void TfrmMSNPopUp::imgIconMouseUp(Qt::MouseButton)
{
    clickAndClose();
}

void TfrmMSNPopUp::imgGradientMouseUp(Qt::MouseButton)
{
    clickAndClose();
}

void TfrmMSNPopUp::tmrScrollTimer()
{
    const int s = m_scrollSpeed;
    QRect g = geometry();
    bool full = false;
    switch (m_edge) {
    case ScreenEdge::Left:
        full = g.width() + s >= m_width;
        if (!full)
            g.setWidth(g.width() + s);
        break;
    case ScreenEdge::Top:
        full = g.height() + s >= m_height;
        if (!full)
            g.setHeight(g.height() + s);
        break;
    case ScreenEdge::Right:
        full = g.width() + s >= m_width;
        if (!full)
            g.setLeft(g.left() - s);
        break;
    case ScreenEdge::Bottom:
        full = g.height() + s >= m_height;
        if (!full)
            g.setTop(g.top() - s);
        break;
    case ScreenEdge::None: return;
    }
    if (full) {
        const QRect w = m_owner.WorkArea();
        g.setSize(QSize(m_width, m_height));
        if (m_edge == ScreenEdge::Right)
            g.moveLeft(rightOf(w) - m_owner.PopupStartX - m_width);
        else if (m_edge == ScreenEdge::Bottom)
            g.moveTop(bottomOf(w) - m_owner.PopupStartY - m_height - m_startOffset);
        setGeometry(g);
        m_tmrScroll.stop();
        m_tmrExit.start();
        return;
    }
    setGeometry(g);
}

void TfrmMSNPopUp::tmrExitTimer()
{
    m_tmrExit.stop();
    m_tmrScrollDown.start();
}

void TfrmMSNPopUp::tmrscrollDownTimer()
{
    const int s = m_scrollSpeed;
    QRect g = geometry();
    bool gone = false;
    switch (m_edge) {
    case ScreenEdge::Left:
        gone = g.width() - s <= 0;
        if (!gone)
            g.setWidth(g.width() - s);
        break;
    case ScreenEdge::Top:
        gone = g.height() - s <= 0;
        if (!gone)
            g.setHeight(g.height() - s);
        break;
    case ScreenEdge::Right:
        gone = g.width() - s <= 0;
        if (!gone)
            g.setLeft(g.left() + s);
        break;
    case ScreenEdge::Bottom:
        gone = g.height() - s <= 0;
        if (!gone)
            g.setTop(g.top() + s);
        break;
    case ScreenEdge::None: return;
    }
    if (gone)
        closePopup();
    else
        setGeometry(g);
}

void TfrmMSNPopUp::closePopup()
{
    if (m_freed)
        return;
    if (!m_freeOnClose) {
        hide();
        return;
    }
    m_freed = true;
    m_tmrScroll.stop();
    m_tmrExit.stop();
    m_tmrScrollDown.stop();
    hide();
    m_owner.popupFreed(this);
    deleteLater();
}

bool TfrmMSNPopUp::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_imgGradient && watched != m_imgIcon)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress)
        return true; // so that the release comes back to the same picture
    if (event->type() == QEvent::MouseButtonRelease) {
        const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
        if (watched == m_imgIcon)
            imgIconMouseUp(button);
        else
            imgGradientMouseUp(button);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

bool TfrmMSNPopUp::event(QEvent* event)
{
    // Some platforms activate every window they map, whatever its flags say; the keyboard belongs to the
    // window the user was typing in, so it goes straight back there.
    if (event->type() == QEvent::WindowActivate && m_previousActive && m_previousActive != this &&
        m_previousActive->isVisible())
        m_previousActive->activateWindow();
    return QWidget::event(event);
}

void TfrmMSNPopUp::closeEvent(QCloseEvent* event)
{
    // Closed from outside (the window manager): same as any other close.
    event->ignore();
    closePopup();
}

} // namespace morva
