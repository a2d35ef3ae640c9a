// The text view as the user meets it: copying on release, whole-word and whole-line selection, links, no
// context menu, no typing, the scroll bar.
#include "view/TIRCMemo.h"

#include "text/QtText.h"
#include "view/AppendLine.h"

#include <string>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace morva;

namespace {

// Counts the context-menu requests that reach the view's parent.
class Host : public QWidget
{
public:
    int contextMenus = 0;

protected:
    void contextMenuEvent(QContextMenuEvent* e) override
    {
        ++contextMenus;
        e->accept();
    }
};

class ViewTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        host.resize(500, 300);
        memo = new TIRCMemo(&host);
        memo->setGeometry(0, 0, 500, 300);
        memo->setUrlOpener([this](const QString& url) { opened.push_back(text::fromQString(url)); });
        AppendLine(memo, "\x03"
                         "4"
                         "12:00:00 "
                         "\x03"
                         "14<\x03"
                         "9bob\x03"
                         "14>\x03"
                         "1 hello world");
        AppendLine(memo, "see http://one.example/a and www.two.example too");
        AppendLine(memo, "\x02"
                         "third line here");
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        QCoreApplication::processEvents();
        QGuiApplication::clipboard()->clear();
    }

    QWidget* vp() { return memo->viewport(); }

    QPoint at(int line, int col)
    {
        const QPoint p = memo->pointOf(line, col);
        EXPECT_NE(p, QPoint(-1, -1)) << "line " << line << " column " << col << " not in sight";
        return p;
    }

    void click(Qt::MouseButton b, QPoint press, QPoint release)
    {
        QTest::mousePress(vp(), b, {}, press);
        if (release != press)
            QTest::mouseMove(vp(), release);
        QTest::mouseRelease(vp(), b, {}, release);
    }

    // Appends reach the scroll bar within a frame's time, and the scroll area shows or hides it one turn of
    // the event loop after its range changes.
    static void settle() { QTest::qWait(60); }

    std::string clipboard() { return text::fromQString(QGuiApplication::clipboard()->text()); }

    Host host;
    TIRCMemo* memo = nullptr;
    std::vector<std::string> opened;
};

TEST_F(ViewTest, ReleasingADragCopiesTheTextAndDeselects)
{
    // "hello world" starts at column 15 of the first line; a drag inside one word selects characters.
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(0, 16));
    QTest::mouseMove(vp(), at(0, 18));
    EXPECT_TRUE(memo->hasSelection());
    EXPECT_EQ(memo->selectedText(), "el");
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, at(0, 18));
    EXPECT_EQ(clipboard(), "el");
    EXPECT_FALSE(memo->hasSelection());
}

TEST_F(ViewTest, DraggingPastAWordSelectsWholeWords)
{
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(0, 16));
    QTest::mouseMove(vp(), at(0, 23));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, at(0, 23));
    EXPECT_EQ(clipboard(), "hello world");

    // Backwards across lines.
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(2, 7));
    QTest::mouseMove(vp(), at(1, 45));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, at(1, 45));
    EXPECT_EQ(clipboard(), "too\nthird line");
}

TEST_F(ViewTest, AClickInTheLeftMarginSelectsAndCopiesTheWholeLine)
{
    const QPoint p(2, at(2, 0).y());
    click(Qt::LeftButton, p, p);
    EXPECT_EQ(clipboard(), "third line here");
    EXPECT_FALSE(memo->hasSelection());
}

TEST_F(ViewTest, ADoubleClickSelectsAndCopiesAWord)
{
    // The platform's sequence: press, release, double click, release.
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, at(2, 8));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, at(2, 8));
    EXPECT_EQ(clipboard(), "line");
    EXPECT_FALSE(memo->hasSelection());
}

TEST_F(ViewTest, ClickingALinkOpensIt)
{
    struct Case
    {
        const char* name;
        Qt::MouseButton button;
        int col;
        const char* url;
    };
    const Case cases[] = {
        {"LeftOnFirst", Qt::LeftButton, 6, "http://one.example/a"},
        {"RightOnFirst", Qt::RightButton, 20, "http://one.example/a"},
        {"LeftOnSecond", Qt::LeftButton, 30, "www.two.example"},
    };
    std::vector<std::string> reported;
    memo->OnURLClick = [&](TIRCCustomRichEdit* sender, const std::string& url, Qt::MouseButton b) {
        EXPECT_EQ(sender, memo);
        reported.push_back(url + (b == Qt::LeftButton ? " left" : " right"));
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        opened.clear();
        click(c.button, at(1, c.col), at(1, c.col));
        EXPECT_EQ(opened, std::vector<std::string>{c.url});
        EXPECT_EQ(clipboard(), "");
    }
    EXPECT_EQ(reported, (std::vector<std::string>{"http://one.example/a left", "http://one.example/a right",
                                                  "www.two.example left"}));
}

TEST_F(ViewTest, PressAndReleaseMustFallOnTheSameLink)
{
    struct Case
    {
        const char* name;
        Qt::MouseButton button;
        int pressCol;
        int releaseCol;
    };
    const Case cases[] = {
        {"FromOneLinkToAnother", Qt::LeftButton, 6, 30},
        {"FromALinkToPlainText", Qt::LeftButton, 6, 1},
        {"FromPlainTextOntoALink", Qt::RightButton, 1, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        click(c.button, at(1, c.pressCol), at(1, c.releaseCol));
        EXPECT_TRUE(opened.empty());
    }
    // Press with the left button, release with the right.
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(1, 6));
    QTest::mouseRelease(vp(), Qt::RightButton, {}, at(1, 6));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, at(1, 6));
    EXPECT_TRUE(opened.empty());
}

TEST_F(ViewTest, ARightClickShowsNoMenu)
{
    const QPoint p = at(0, 3);
    click(Qt::RightButton, p, p);
    QContextMenuEvent event(QContextMenuEvent::Mouse, p, vp()->mapToGlobal(p));
    QApplication::sendEvent(vp(), &event);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(host.contextMenus, 0);
    EXPECT_TRUE(opened.empty());
}

TEST_F(ViewTest, TypingChangesNothing)
{
    memo->setFocus();
    const std::string before = memo->Text();
    QTest::keyClicks(memo, "typed text");
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Delete);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(memo, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(memo->Text(), before);
    EXPECT_EQ(memo->lineCount(), 3);
}

TEST_F(ViewTest, TheScrollBarAppearsOnlyWhenTheLinesDoNotFit)
{
    EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
    for (int i = 0; i < 100; ++i)
        AppendLine(memo, "filler " + std::to_string(i));
    settle();
    EXPECT_TRUE(memo->verticalScrollBar()->isVisible());
    EXPECT_EQ(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
    memo->Clear();
    settle();
    EXPECT_FALSE(memo->verticalScrollBar()->isVisible());
}

TEST_F(ViewTest, LongLinesWrapAtTheViewsWidth)
{
    AppendLine(memo, std::string(60, 'w') + " " + std::string(60, 'v') + " end");
    QCoreApplication::processEvents();
    const QPoint first = at(3, 0);
    const QPoint last = at(3, 121);
    EXPECT_GT(last.y(), first.y());
    EXPECT_LT(last.x(), memo->viewport()->width());
}

} // namespace
