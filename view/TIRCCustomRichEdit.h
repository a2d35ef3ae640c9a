// The read-only IRC text view: line model, painting of the lines in sight, selection, copying and links.
#pragma once

#include "view/FormatParser.h"
#include "view/LineStore.h"
#include "view/LinkFinder.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include <QAbstractScrollArea>
#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>

class QTextLayout;

namespace morva {

class TIRCCustomRichEdit;

// Sender, the link's Windows-1251 text, the button that clicked it.
using TRichEditURLClickEvent = std::function<void(TIRCCustomRichEdit*, const std::string&, Qt::MouseButton)>;

// The text view of one window. It keeps its own line model (a LineStore of stripped text and format spans)
// and lays out with QTextLayout only the lines in sight, cached until the width or the font changes, so that
// appending costs a parse and a copy, and a repaint happens at most once per turn of the event loop
// and at most about 60 times a second. The view
// scrolls by whole lines: the scroll bar's value is the line shown at the bottom.
//
// Owned by its tab (through Qt parenting); used on the user-interface thread only. Lines are added through
// AppendLine; the user cannot change the text. A link press or a selection refers to lines by sequence number,
// so dropping old lines at the text limit never makes them point at other text.
class TIRCCustomRichEdit : public QAbstractScrollArea
{
    Q_OBJECT

public:
    // The text limit a MaxLength of 0 stands for.
    static constexpr int kDefaultTextLimit = 16777215;

    explicit TIRCCustomRichEdit(QWidget* owner = nullptr);
    ~TIRCCustomRichEdit() override;

    // Empties the view.
    void Clear();

    // The view never takes typing; the property is kept because the window registry sets it.
    bool ReadOnly() const { return m_readOnly; }
    void setReadOnly(bool on) { m_readOnly = on; }
    // Character positions the view holds at most (a paragraph break counts as one); 0 means kDefaultTextLimit.
    // When a new line would pass the limit the oldest lines are dropped; a single line longer than the limit
    // is cut to it.
    int MaxLength() const { return m_maxLength; }
    void setMaxLength(int limit);

    // Raised after a link was clicked and handed to the opener.
    TRichEditURLClickEvent OnURLClick;
    // Opens a clicked link; by default the platform's handler for the address. Tests replace it.
    void setUrlOpener(std::function<void(const QString&)> opener) { m_urlOpener = std::move(opener); }

    // Parses line's formatting codes and adds it as the last line, then shows the last line and drops any
    // selection. AppendLine is the public way in.
    void appendCodedLine(std::string_view line);
    // Called with every appended line's text, formatting codes stripped, right after it is stored (a log).
    void setLineObserver(std::function<void(std::string_view stripped)> observer)
    {
        m_lineObserver = std::move(observer);
    }
    bool busy() const { return m_busy; }

    // The model, for the window logic and the tests.
    int lineCount() const { return static_cast<int>(m_store.size()); }
    std::string lineText(int line) const;
    CharFormat formatAt(int line, int pos) const;
    // Character positions held: each line's characters plus one for its paragraph break.
    std::size_t textLength() const { return m_store.charCount(); }
    // All the text, each line followed by CR LF.
    std::string Text() const;
    std::size_t modelBytes() const { return m_store.bytesReserved(); }

    // Selection, in line and column terms.
    bool hasSelection() const;
    std::string selectedText() const;
    void setSelection(int fromLine, int fromCol, int toLine, int toCol);
    void selectAll();
    void copySelection() const;
    // Keeps the selection's start and drops its length.
    void collapseSelection();

    // Scrolling: the line shown at the bottom of the view (or the last line when all fit).
    int bottomLine() const { return static_cast<int>(m_bottom); }
    bool atBottom() const { return m_store.empty() || m_bottom + 1 == m_store.size(); }
    void scrollToLine(int bottom);
    // Where a character is drawn (just inside its leading edge, in viewport coordinates); (-1, -1) when it is not in
    // sight.
    QPoint pointOf(int line, int col);

    // Width of the margin at the left where a click selects whole lines.
    static constexpr int kSelectionBar = 8;

protected:
    // Stores one parsed line, dropping old lines at the text limit.
    virtual void storeLine(std::string_view stripped, std::span<const FormatSpan> spans);
    // Opens the link text with the opener, then raises OnURLClick.
    void URLClick(const std::string& text, Qt::MouseButton button);

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct TextPos
    {
        std::uint64_t seq = 0;
        int col = 0;
        auto operator<=>(const TextPos&) const = default;
    };
    struct LineLayout;
    struct VisibleLine
    {
        std::size_t index;
        int y;
        LineLayout* layout;
    };
    struct Hit
    {
        bool valid = false;
        std::size_t index = 0;
        int col = 0;      // cursor position nearest the point
        int charCol = -1; // the character under the point, -1 when none
        bool margin = false;
    };
    struct LinkPress
    {
        bool valid = false;
        std::uint64_t seq = 0;
        LinkRange range;
        Qt::MouseButton button = Qt::NoButton;
    };
    enum class DragMode
    {
        None,
        Chars,
        Words,
        Lines,
    };

    void appendOne(std::string_view line);
    void dropOldest();
    void scheduleSync();
    void syncScrollBar();
    void invalidateLayouts();
    int layoutWidth() const;
    LineLayout& layoutFor(std::size_t index);
    void ensureTopExtent();
    bool topAligned();
    void collectVisible(std::vector<VisibleLine>& out);
    Hit hitTest(QPoint pt);
    bool linkAt(const Hit& hit, LinkRange& range);
    void updateDrag(const Hit& hit);
    std::pair<int, int> wordAt(std::size_t index, int col) const;
    void onScrollValue(int value);

    LineStore m_store;
    bool m_readOnly = false;
    int m_maxLength = 0;
    std::function<void(const QString&)> m_urlOpener;
    std::function<void(std::string_view)> m_lineObserver;

    // Parsing buffers, kept to avoid an allocation per line.
    std::string m_stripped;
    std::vector<FormatRun> m_runs;
    std::vector<FormatSpan> m_spans;
    bool m_busy = false;
    std::vector<std::string> m_pending;

    std::size_t m_bottom = 0;
    bool m_syncPending = false;
    QTimer m_syncTimer;
    QElapsedTimer m_sinceSync;
    bool m_syncing = false;
    // Index of the first line that, counted from the top, runs past the viewport's height; valid while
    // m_topExtentValid. m_fits: every line fits without scrolling.
    std::size_t m_topExtent = 0;
    bool m_fits = true;
    bool m_topExtentValid = false;

    std::unordered_map<std::uint64_t, std::unique_ptr<LineLayout>> m_layouts;
    int m_layoutWidthCached = -1;
    std::vector<VisibleLine> m_visible;

    bool m_selection = false;
    TextPos m_selStart;
    TextPos m_selEnd;
    DragMode m_drag = DragMode::None;
    TextPos m_press;
    std::pair<int, int> m_pressWord{0, 0};
    LinkPress m_linkPress;
};

} // namespace morva
