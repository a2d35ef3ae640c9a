// The IRC text view: model, painting, scrolling, selection and links.
#include "view/TIRCCustomRichEdit.h"

#include "text/QtText.h"

#include <algorithm>

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QUrl>

namespace morva {

namespace {

constexpr int kTextLeft = TIRCCustomRichEdit::kSelectionBar + 2;
constexpr int kTextRight = 2;
// Layouts kept for lines out of sight before the cache is emptied.
constexpr std::size_t kLayoutCacheLimit = 1024;
// Shortest time between two scroll-bar updates and repaints caused by appends (about 60 a second).
constexpr qint64 kMinSyncInterval = 15;

bool isBlank(char c)
{
    return static_cast<unsigned char>(c) <= 0x20;
}

QColor colour(std::uint8_t number)
{
    return QColor(static_cast<QRgb>(ircRgb(number)));
}

} // namespace

struct TIRCCustomRichEdit::LineLayout
{
    QTextLayout layout;
    int height = 0;
    std::vector<LinkRange> links;
};

TIRCCustomRichEdit::TIRCCustomRichEdit(QWidget* owner) : QAbstractScrollArea(owner)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    viewport()->setMouseTracking(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, 0);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &TIRCCustomRichEdit::onScrollValue);
    m_syncTimer.setSingleShot(true);
    connect(&m_syncTimer, &QTimer::timeout, this, [this] {
        m_syncPending = false;
        syncScrollBar();
    });
}

TIRCCustomRichEdit::~TIRCCustomRichEdit() = default;

void TIRCCustomRichEdit::Clear()
{
    m_store.clear();
    m_layouts.clear();
    m_bottom = 0;
    m_selection = false;
    m_linkPress = {};
    m_topExtentValid = false;
    scheduleSync();
}

void TIRCCustomRichEdit::setMaxLength(int limit)
{
    m_maxLength = std::max(0, limit);
    const std::size_t max = m_maxLength == 0 ? kDefaultTextLimit : static_cast<std::size_t>(m_maxLength);
    while (m_store.charCount() > max)
        dropOldest();
    scheduleSync();
}

void TIRCCustomRichEdit::appendCodedLine(std::string_view line)
{
    // Appends to one view never overlap. Nothing inside an append runs the event loop, so the flag can only
    // be found set by a call from inside the append itself; waiting for it would wait forever on this one
    // thread, so such a line is queued and appended right after the current one.
    if (m_busy) {
        m_pending.emplace_back(line);
        return;
    }
    m_busy = true;
    struct Release
    {
        TIRCCustomRichEdit* view;
        ~Release()
        {
            view->m_busy = false;
            view->m_pending.clear();
        }
    } release{this};
    appendOne(line);
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        const std::string next = std::move(m_pending[i]);
        appendOne(next);
    }
}

void TIRCCustomRichEdit::appendOne(std::string_view line)
{
    parseFormatCodes(line, m_stripped, m_runs);
    spansFromRuns(m_runs, m_stripped.size(), m_spans);
    storeLine(m_stripped, m_spans);
    if (m_lineObserver)
        m_lineObserver(m_stripped);
    m_selection = false;
    m_bottom = m_store.empty() ? 0 : m_store.size() - 1;
    if (m_fits)
        m_topExtentValid = false;
    scheduleSync();
}

void TIRCCustomRichEdit::storeLine(std::string_view stripped, std::span<const FormatSpan> spans)
{
    const std::size_t limit = m_maxLength == 0 ? kDefaultTextLimit : static_cast<std::size_t>(m_maxLength);
    if (stripped.size() + 1 > limit) {
        stripped = stripped.substr(0, limit - 1);
        const auto keep = std::find_if(spans.begin() + 1, spans.end(),
                                       [&](const FormatSpan& s) { return s.start >= stripped.size(); });
        spans = spans.first(static_cast<std::size_t>(keep - spans.begin()));
    }
    while (!m_store.empty() && m_store.charCount() + stripped.size() + 1 > limit)
        dropOldest();
    m_store.append(stripped, spans);
}

void TIRCCustomRichEdit::dropOldest()
{
    m_store.dropFront();
    m_bottom = m_bottom > 0 ? m_bottom - 1 : 0;
    m_topExtentValid = false;
    if (m_selection && m_selEnd.seq < m_store.firstSeq())
        m_selection = false;
    else if (m_selection && m_selStart.seq < m_store.firstSeq())
        m_selStart = TextPos{m_store.firstSeq(), 0};
    if (m_linkPress.seq < m_store.firstSeq())
        m_linkPress = {};
}

std::string TIRCCustomRichEdit::lineText(int line) const
{
    if (line < 0 || static_cast<std::size_t>(line) >= m_store.size())
        return {};
    return std::string(m_store.text(static_cast<std::size_t>(line)));
}

CharFormat TIRCCustomRichEdit::formatAt(int line, int pos) const
{
    if (line < 0 || static_cast<std::size_t>(line) >= m_store.size() || pos < 0)
        return {};
    return m_store.formatAt(static_cast<std::size_t>(line), static_cast<std::size_t>(pos));
}

std::string TIRCCustomRichEdit::Text() const
{
    std::string out;
    out.reserve(m_store.charCount() + m_store.size());
    for (std::size_t i = 0; i < m_store.size(); ++i) {
        out += m_store.text(i);
        out += "\r\n";
    }
    return out;
}

// ---- scrolling and layout -------------------------------------------------------------------------------------

void TIRCCustomRichEdit::scheduleSync()
{
    // Appends in a burst cost only this check. The scroll bar and the repaint follow on the next turn of the
    // event loop, and no sooner than kMinSyncInterval after the last one: in a flood every line arrives in a
    // turn of its own, and painting each of them would cost far more than storing it.
    if (m_syncPending)
        return;
    m_syncPending = true;
    const qint64 since = m_sinceSync.isValid() ? m_sinceSync.elapsed() : kMinSyncInterval;
    m_syncTimer.start(static_cast<int>(since >= kMinSyncInterval ? 0 : kMinSyncInterval - since));
}

void TIRCCustomRichEdit::syncScrollBar()
{
    m_sinceSync.start();
    if (!isVisible())
        return; // done again when shown
    ensureTopExtent();
    QScrollBar* bar = verticalScrollBar();
    const std::size_t wanted = m_bottom;
    m_syncing = true;
    if (m_fits || m_store.empty()) {
        bar->setRange(0, 0);
    } else {
        bar->setRange(static_cast<int>(m_topExtent), static_cast<int>(m_store.size() - 1));
        const int rows = std::max(1, viewport()->height() / std::max(1, fontMetrics().lineSpacing()));
        bar->setPageStep(rows);
        bar->setValue(static_cast<int>(std::clamp(wanted, m_topExtent, m_store.size() - 1)));
    }
    m_syncing = false;
    m_bottom = m_store.empty() ? 0 : std::min(wanted, m_store.size() - 1);
    if (!m_fits && m_bottom < m_topExtent)
        m_bottom = m_topExtent;
    viewport()->update();
}

void TIRCCustomRichEdit::onScrollValue(int value)
{
    if (m_syncing)
        return;
    m_bottom = static_cast<std::size_t>(std::max(0, value));
    viewport()->update();
}

void TIRCCustomRichEdit::scrollToLine(int bottom)
{
    if (m_store.empty())
        return;
    m_bottom = static_cast<std::size_t>(std::clamp(bottom, 0, lineCount() - 1));
    syncScrollBar();
}

void TIRCCustomRichEdit::invalidateLayouts()
{
    m_layouts.clear();
    m_layoutWidthCached = layoutWidth();
    m_topExtentValid = false;
}

int TIRCCustomRichEdit::layoutWidth() const
{
    return std::max(1, viewport()->width() - kTextLeft - kTextRight);
}

TIRCCustomRichEdit::LineLayout& TIRCCustomRichEdit::layoutFor(std::size_t index)
{
    if (m_layoutWidthCached != layoutWidth())
        invalidateLayouts();
    const std::uint64_t seq = m_store.firstSeq() + index;
    std::unique_ptr<LineLayout>& slot = m_layouts[seq];
    if (slot)
        return *slot;
    slot = std::make_unique<LineLayout>();
    LineLayout& l = *slot;
    const std::string_view text = m_store.text(index);
    findLinks(text, l.links);
    l.layout.setText(text::toQString(text));
    l.layout.setFont(font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    l.layout.setTextOption(option);

    const std::span<const FormatSpan> spans = m_store.spans(index);
    QList<QTextLayout::FormatRange> formats;
    formats.reserve(static_cast<qsizetype>(spans.size() + l.links.size()));
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const std::uint32_t end = i + 1 < spans.size() ? spans[i + 1].start : static_cast<std::uint32_t>(text.size());
        if (end <= spans[i].start)
            continue;
        const CharFormat& f = spans[i].format;
        QTextLayout::FormatRange r;
        r.start = static_cast<int>(spans[i].start);
        r.length = static_cast<int>(end - spans[i].start);
        r.format.setForeground(colour(f.foreground));
        r.format.setBackground(colour(f.background));
        r.format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
        r.format.setFontUnderline(f.underline);
        formats.push_back(r);
    }
    for (const LinkRange& link : l.links) {
        QTextLayout::FormatRange r;
        r.start = link.start;
        r.length = link.end - link.start;
        r.format.setFontUnderline(true);
        formats.push_back(r);
    }
    l.layout.setFormats(formats);

    const int width = layoutWidth();
    qreal y = 0;
    l.layout.beginLayout();
    for (;;) {
        QTextLine line = l.layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    l.layout.endLayout();
    l.height = std::max(1, static_cast<int>(std::ceil(y)));
    if (l.layout.lineCount() == 0)
        l.height = fontMetrics().lineSpacing();
    return l;
}

void TIRCCustomRichEdit::ensureTopExtent()
{
    if (m_topExtentValid && m_layoutWidthCached == layoutWidth())
        return;
    if (m_layoutWidthCached != layoutWidth())
        invalidateLayouts();
    const int h = viewport()->height();
    int y = 0;
    m_fits = true;
    m_topExtent = 0;
    for (std::size_t i = 0; i < m_store.size(); ++i) {
        y += layoutFor(i).height;
        if (y > h) {
            m_fits = false;
            m_topExtent = i;
            break;
        }
    }
    m_topExtentValid = true;
}

bool TIRCCustomRichEdit::topAligned()
{
    ensureTopExtent();
    return m_fits || m_bottom <= m_topExtent;
}

void TIRCCustomRichEdit::collectVisible(std::vector<VisibleLine>& out)
{
    out.clear();
    if (m_store.empty())
        return;
    if (m_layouts.size() > kLayoutCacheLimit)
        m_layouts.clear();
    const int h = viewport()->height();
    if (topAligned()) {
        int y = 0;
        for (std::size_t i = 0; i < m_store.size() && y < h; ++i) {
            LineLayout& l = layoutFor(i);
            out.push_back(VisibleLine{i, y, &l});
            y += l.height;
        }
        return;
    }
    int y = h;
    for (std::size_t i = std::min(m_bottom, m_store.size() - 1) + 1; i-- > 0 && y > 0;) {
        LineLayout& l = layoutFor(i);
        y -= l.height;
        out.push_back(VisibleLine{i, y, &l});
    }
    std::reverse(out.begin(), out.end());
}

// ---- painting ---------------------------------------------------------------------------------------------------

void TIRCCustomRichEdit::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().base());
    collectVisible(m_visible);
    // The selection is shown only while the view has the focus.
    const bool showSelection = m_selection && hasFocus() && m_selStart < m_selEnd;
    QList<QTextLayout::FormatRange> selections;
    for (const VisibleLine& v : m_visible) {
        selections.clear();
        const std::uint64_t seq = m_store.firstSeq() + v.index;
        if (showSelection && seq >= m_selStart.seq && seq <= m_selEnd.seq) {
            const int len = static_cast<int>(m_store.text(v.index).size());
            const int from = seq == m_selStart.seq ? m_selStart.col : 0;
            const int to = seq == m_selEnd.seq ? m_selEnd.col : len;
            if (to > from) {
                QTextLayout::FormatRange r;
                r.start = from;
                r.length = to - from;
                r.format.setBackground(palette().highlight());
                r.format.setForeground(palette().highlightedText());
                selections.push_back(r);
            }
        }
        v.layout->layout.draw(&p, QPointF(kTextLeft, v.y), selections);
    }
}

void TIRCCustomRichEdit::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_topExtentValid = false;
    if (m_layoutWidthCached != layoutWidth())
        invalidateLayouts();
    syncScrollBar();
}

void TIRCCustomRichEdit::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    syncScrollBar();
}

void TIRCCustomRichEdit::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        invalidateLayouts();
        scheduleSync();
    }
}

void TIRCCustomRichEdit::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void TIRCCustomRichEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

QPoint TIRCCustomRichEdit::pointOf(int line, int col)
{
    collectVisible(m_visible);
    for (const VisibleLine& v : m_visible) {
        if (static_cast<int>(v.index) != line)
            continue;
        const QTextLine tl = v.layout->layout.lineForTextPosition(col);
        if (!tl.isValid())
            return {-1, -1};
        // Just inside the character's leading edge: on the character, and nearest the cursor position before it.
        const qreal x0 = tl.cursorToX(col);
        const qreal x1 = tl.cursorToX(col + 1);
        const int x = kTextLeft + static_cast<int>(x0 + std::min<qreal>(2, (x1 - x0) / 3));
        const int y = v.y + static_cast<int>(tl.y() + tl.height() / 2);
        if (y < 0 || y >= viewport()->height())
            return {-1, -1};
        return {x, y};
    }
    return {-1, -1};
}

// ---- hit testing, selection -------------------------------------------------------------------------------------

TIRCCustomRichEdit::Hit TIRCCustomRichEdit::hitTest(QPoint pt)
{
    Hit hit;
    collectVisible(m_visible);
    if (m_visible.empty())
        return hit;
    hit.valid = true;
    hit.margin = pt.x() < kSelectionBar;
    if (pt.y() < m_visible.front().y) {
        hit.index = m_visible.front().index;
        return hit;
    }
    for (const VisibleLine& v : m_visible) {
        if (pt.y() >= v.y + v.layout->height)
            continue;
        hit.index = v.index;
        const QTextLayout& layout = v.layout->layout;
        const qreal x = pt.x() - kTextLeft;
        const qreal y = pt.y() - v.y;
        for (int i = 0; i < layout.lineCount(); ++i) {
            const QTextLine tl = layout.lineAt(i);
            if (y >= tl.y() + tl.height() && i + 1 < layout.lineCount())
                continue;
            hit.col = tl.xToCursor(x, QTextLine::CursorBetweenCharacters);
            const int first = tl.textStart();
            const int last = tl.textStart() + tl.textLength();
            if (x >= 0 && x < tl.cursorToX(last) && y < tl.y() + tl.height()) {
                const int c = tl.xToCursor(x, QTextLine::CursorOnCharacter);
                if (c >= first && c < last)
                    hit.charCol = c;
            }
            break;
        }
        return hit;
    }
    hit.index = m_visible.back().index;
    hit.col = static_cast<int>(m_store.text(hit.index).size());
    return hit;
}

bool TIRCCustomRichEdit::linkAt(const Hit& hit, LinkRange& range)
{
    if (!hit.valid || hit.charCol < 0 || hit.margin)
        return false;
    const LineLayout& l = layoutFor(hit.index);
    for (const LinkRange& link : l.links) {
        if (hit.charCol >= link.start && hit.charCol < link.end) {
            range = link;
            return true;
        }
    }
    return false;
}

std::pair<int, int> TIRCCustomRichEdit::wordAt(std::size_t index, int col) const
{
    const std::string_view t = m_store.text(index);
    const int len = static_cast<int>(t.size());
    col = std::clamp(col, 0, len);
    int from = col;
    int to = col;
    if (col < len && !isBlank(t[static_cast<std::size_t>(col)])) {
        to = col;
    } else if (col > 0 && !isBlank(t[static_cast<std::size_t>(col - 1)])) {
        from = to = col - 1;
    } else {
        return {col, std::min(col + 1, len)};
    }
    while (from > 0 && !isBlank(t[static_cast<std::size_t>(from - 1)]))
        --from;
    while (to < len && !isBlank(t[static_cast<std::size_t>(to)]))
        ++to;
    return {from, to};
}

void TIRCCustomRichEdit::updateDrag(const Hit& hit)
{
    if (!hit.valid || m_drag == DragMode::None)
        return;
    const std::uint64_t seq = m_store.firstSeq() + hit.index;
    const TextPos cur{seq, hit.col};
    if (m_drag == DragMode::Lines) {
        const TextPos a = std::min(cur, m_press);
        const TextPos b = std::max(cur, m_press);
        m_selStart = TextPos{a.seq, 0};
        m_selEnd = TextPos{b.seq, static_cast<int>(m_store.text(b.seq - m_store.firstSeq()).size())};
    } else {
        const bool inPressWord =
            cur.seq == m_press.seq && cur.col >= m_pressWord.first && cur.col <= m_pressWord.second;
        if (m_drag == DragMode::Chars && inPressWord) {
            m_selStart = std::min(cur, m_press);
            m_selEnd = std::max(cur, m_press);
        } else {
            // Once the drag leaves the word it started in, both ends snap to whole words.
            const std::pair<int, int> w = wordAt(hit.index, hit.col);
            if (cur < m_press) {
                m_selStart = TextPos{cur.seq, w.first};
                m_selEnd = TextPos{m_press.seq, m_pressWord.second};
            } else {
                m_selStart = TextPos{m_press.seq, m_pressWord.first};
                m_selEnd = TextPos{cur.seq, cur.seq == m_press.seq ? std::max(w.second, m_pressWord.second) : w.second};
            }
        }
    }
    m_selection = m_selStart < m_selEnd;
    viewport()->update();
}

bool TIRCCustomRichEdit::hasSelection() const
{
    return m_selection && m_selStart < m_selEnd;
}

std::string TIRCCustomRichEdit::selectedText() const
{
    std::string out;
    if (!hasSelection())
        return out;
    for (std::uint64_t seq = m_selStart.seq; seq <= m_selEnd.seq && seq < m_store.endSeq(); ++seq) {
        const std::string_view t = m_store.text(seq - m_store.firstSeq());
        const std::size_t from = seq == m_selStart.seq ? static_cast<std::size_t>(m_selStart.col) : 0;
        const std::size_t to = seq == m_selEnd.seq ? static_cast<std::size_t>(m_selEnd.col) : t.size();
        if (seq != m_selStart.seq)
            out += '\n';
        if (to > from && from < t.size())
            out += t.substr(from, to - from);
    }
    return out;
}

void TIRCCustomRichEdit::setSelection(int fromLine, int fromCol, int toLine, int toCol)
{
    if (m_store.empty())
        return;
    auto pos = [this](int line, int col) {
        const auto index = static_cast<std::size_t>(std::clamp(line, 0, lineCount() - 1));
        const int len = static_cast<int>(m_store.text(index).size());
        return TextPos{m_store.firstSeq() + index, std::clamp(col, 0, len)};
    };
    m_selStart = std::min(pos(fromLine, fromCol), pos(toLine, toCol));
    m_selEnd = std::max(pos(fromLine, fromCol), pos(toLine, toCol));
    m_selection = true;
    viewport()->update();
}

void TIRCCustomRichEdit::selectAll()
{
    if (!m_store.empty())
        setSelection(0, 0, lineCount() - 1, static_cast<int>(m_store.text(m_store.size() - 1).size()));
}

void TIRCCustomRichEdit::copySelection() const
{
    if (hasSelection())
        QGuiApplication::clipboard()->setText(text::toQString(selectedText()));
}

void TIRCCustomRichEdit::collapseSelection()
{
    m_selEnd = m_selStart;
    m_selection = false;
    viewport()->update();
}

// ---- input ------------------------------------------------------------------------------------------------------

void TIRCCustomRichEdit::mousePressEvent(QMouseEvent* event)
{
    const Hit hit = hitTest(event->position().toPoint());
    m_linkPress = {};
    LinkRange link;
    if ((event->button() == Qt::LeftButton || event->button() == Qt::RightButton) && linkAt(hit, link))
        m_linkPress = LinkPress{true, m_store.firstSeq() + hit.index, link, event->button()};
    if (event->button() != Qt::LeftButton || !hit.valid)
        return;
    setFocus(Qt::MouseFocusReason);
    m_press = TextPos{m_store.firstSeq() + hit.index, hit.col};
    m_pressWord = wordAt(hit.index, hit.col);
    m_selStart = m_selEnd = m_press;
    m_selection = false;
    m_drag = hit.margin ? DragMode::Lines : DragMode::Chars;
    if (m_drag == DragMode::Lines)
        updateDrag(hit);
    viewport()->update();
}

void TIRCCustomRichEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    const Hit hit = hitTest(event->position().toPoint());
    if (!hit.valid)
        return;
    m_linkPress = {};
    m_press = TextPos{m_store.firstSeq() + hit.index, hit.col};
    m_pressWord = wordAt(hit.index, hit.col);
    m_drag = hit.margin ? DragMode::Lines : DragMode::Words;
    if (m_drag == DragMode::Words) {
        m_selStart = TextPos{m_press.seq, m_pressWord.first};
        m_selEnd = TextPos{m_press.seq, m_pressWord.second};
        m_selection = m_selStart < m_selEnd;
        viewport()->update();
    } else {
        updateDrag(hit);
    }
}

void TIRCCustomRichEdit::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pt = event->position().toPoint();
    if (m_drag != DragMode::None && (event->buttons() & Qt::LeftButton)) {
        // Dragging past the top or the bottom scrolls a line per move.
        if (pt.y() < 0 && m_bottom > 0 && !topAligned())
            scrollToLine(static_cast<int>(m_bottom) - 1);
        else if (pt.y() >= viewport()->height() && m_bottom + 1 < m_store.size())
            scrollToLine(static_cast<int>(m_bottom) + 1);
        updateDrag(hitTest(pt));
        return;
    }
    const Hit hit = hitTest(pt);
    LinkRange link;
    if (hit.margin)
        viewport()->setCursor(Qt::ArrowCursor);
    else if (linkAt(hit, link))
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->setCursor(Qt::IBeamCursor);
}

void TIRCCustomRichEdit::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_drag = DragMode::None;
    const LinkPress press = m_linkPress;
    m_linkPress = {};
    if (!press.valid || press.button != event->button())
        return;
    const Hit hit = hitTest(event->position().toPoint());
    LinkRange link;
    if (linkAt(hit, link) && m_store.firstSeq() + hit.index == press.seq && link == press.range) {
        const std::string_view t = m_store.text(hit.index);
        URLClick(std::string(
                     t.substr(static_cast<std::size_t>(link.start), static_cast<std::size_t>(link.end - link.start))),
                 event->button());
    }
}

void TIRCCustomRichEdit::URLClick(const std::string& text, Qt::MouseButton button)
{
    const QString s = text::toQString(text);
    if (m_urlOpener)
        m_urlOpener(s);
    else
        QDesktopServices::openUrl(QUrl::fromUserInput(s)); // a failure to open is not reported
    if (OnURLClick)
        OnURLClick(this, text, button);
}

void TIRCCustomRichEdit::keyPressEvent(QKeyEvent* event)
{
    // Read-only: keys copy, select and scroll; nothing else reaches the text.
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::Copy)) {
        copySelection();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_PageUp) {
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    } else if (event->key() == Qt::Key_PageDown) {
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    } else if (event->key() == Qt::Key_Up) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    } else if (event->key() == Qt::Key_Down) {
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        bar->triggerAction(QAbstractSlider::SliderToMinimum);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        bar->triggerAction(QAbstractSlider::SliderToMaximum);
    }
    event->accept();
}

void TIRCCustomRichEdit::inputMethodEvent(QInputMethodEvent* event)
{
    event->accept();
}

void TIRCCustomRichEdit::contextMenuEvent(QContextMenuEvent* event)
{
    // The view has no context menu, and the event must not travel on to the parent's.
    event->accept();
}

} // namespace morva
