// The slide in, the time fully shown and the slide out, driven step by step from the test.
#include "tests/popup/FakePopupPlatform.h"

#include <vector>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace morva::test {
namespace {

class PopupAnimation : public ::testing::Test, public PopupFixture
{
protected:
    PopupAnimation() { popups->TimeOut = 2; } // as the main window sets it
};

TEST_F(PopupAnimation, MainWindowSettingsOverABottomTaskbar)
{
    ASSERT_TRUE(popups->Popup());
    QPointer<TfrmMSNPopUp> w = newest();
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(w->tmrScroll().isActive());
    EXPECT_EQ(w->tmrScroll().interval(), 25);
    EXPECT_FALSE(w->tmrExit().isActive());
    EXPECT_EQ(w->tmrExit().interval(), 2000);
    EXPECT_EQ(w->geometry(), QRect(860, 765, 148, 1)) << "a sliver on the bottom line of its place";

    std::vector<int> heights;
    for (int step = 0; step < 30 && w->tmrScroll().isActive(); ++step) {
        w->tmrScrollTimer();
        heights.push_back(w->height());
        EXPECT_EQ(w->geometry().bottom(), 765) << "the bottom stays, step " << step + 1;
    }
    ASSERT_EQ(heights.size(), 14u);
    EXPECT_EQ(heights.front(), 10);
    EXPECT_EQ(heights[12], 118);
    EXPECT_EQ(heights.back(), 121);
    EXPECT_EQ(w->geometry(), QRect(860, 645, 148, 121)) << "16 from the right, 2 above the bottom";
    EXPECT_TRUE(w->tmrExit().isActive());
    EXPECT_FALSE(w->tmrScrollDown().isActive());

    w->tmrExitTimer();
    EXPECT_FALSE(w->tmrExit().isActive());
    EXPECT_TRUE(w->tmrScrollDown().isActive());

    int shrinks = 0;
    for (int step = 0; step < 30 && !w->freed(); ++step) {
        w->tmrscrollDownTimer();
        if (!w->freed()) {
            ++shrinks;
            EXPECT_EQ(w->height(), 121 - 9 * shrinks);
            EXPECT_EQ(w->geometry().bottom(), 765);
        }
    }
    EXPECT_EQ(shrinks, 13) << "13 steps of 9 pixels, closed on the 14th";
    EXPECT_TRUE(w->freed());
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(popups->PopupCount(), 0);
    EXPECT_TRUE(popups->openPopups().empty());
    flushDeletes();
    EXPECT_TRUE(w.isNull());
}

struct SlideCase
{
    const char* name;
    ScreenEdge edge;
    QRect sliver;    // right after Display
    QRect oneStep;   // after the first grow step
    QRect oneShrink; // after the first shrink step
    QPoint fullAt;   // top-left when fully shown
};

class PopupSlide : public ::testing::TestWithParam<SlideCase>, public PopupFixture
{};

TEST_P(PopupSlide, GrowsAndShrinksFromTheTaskbarSide)
{
    const SlideCase& k = GetParam();
    desk->edge = k.edge;
    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    EXPECT_EQ(w->geometry(), k.sliver);
    w->tmrScrollTimer();
    EXPECT_EQ(w->geometry(), k.oneStep);
    const int grows = 1 + growFully(w);
    const QRect full = w->geometry();
    EXPECT_EQ(full.size(), QSize(148, 121));
    EXPECT_EQ(full.topLeft(), k.fullAt);
    w->tmrExitTimer();
    w->tmrscrollDownTimer();
    EXPECT_EQ(w->geometry(), k.oneShrink);
    const int shrinks = 1 + shrinkFully(w);
    EXPECT_TRUE(w->freed());
    // In steps of 9: 148 wide takes 17 steps each way, 121 high 14.
    const bool sideways = k.edge == ScreenEdge::Left || k.edge == ScreenEdge::Right;
    EXPECT_EQ(grows, sideways ? 17 : 14);
    EXPECT_EQ(shrinks, sideways ? 17 : 14);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, PopupSlide, ::testing::Values(
    SlideCase{"Left",   ScreenEdge::Left,   QRect(16, 645, 1, 121),  QRect(16, 645, 10, 121),  QRect(16, 645, 139, 121),  {16, 645}},
    SlideCase{"Top",    ScreenEdge::Top,    QRect(860, 2, 148, 1),   QRect(860, 2, 148, 10),   QRect(860, 2, 148, 112),   {860, 2}},
    SlideCase{"Right",  ScreenEdge::Right,  QRect(1007, 645, 1, 121), QRect(998, 645, 10, 121), QRect(869, 645, 139, 121), {860, 645}},
    SlideCase{"Bottom", ScreenEdge::Bottom, QRect(860, 765, 148, 1),  QRect(860, 756, 148, 10), QRect(860, 654, 148, 112), {860, 645}}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(PopupAnimation, WithoutScrollingItAppearsWholeAndStillSlidesOut)
{
    popups->Options.exclude(TMSNPopupOption::msnAllowScroll);
    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    EXPECT_EQ(w->geometry(), QRect(860, 645, 148, 121));
    EXPECT_FALSE(w->tmrScroll().isActive());
    EXPECT_TRUE(w->tmrExit().isActive());
    w->tmrExitTimer();
    EXPECT_EQ(shrinkFully(w), 14);
    EXPECT_EQ(popups->PopupCount(), 0);
}

TEST_F(PopupAnimation, OutOfRangeSpeedAndTimeOutStillEnd)
{
    popups->ScrollSpeed = 0;
    popups->TimeOut = -5;
    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    EXPECT_EQ(w->tmrExit().interval(), 0);
    EXPECT_EQ(growFully(w), 120) << "at least a pixel per step";
    EXPECT_EQ(w->height(), 121);
    w->tmrExitTimer();
    EXPECT_EQ(shrinkFully(w), 121);
    EXPECT_TRUE(w->freed());

    popups->ScrollSpeed = 500;
    ASSERT_TRUE(popups->Popup());
    EXPECT_EQ(growFully(newest()), 3) << "at most 50 pixels per step";
}

TEST_F(PopupAnimation, TheFirstTimedStepsComeFromTheRealTimers)
{
    // One real-time check that the timers are wired to the steps (bounded to two seconds).
    ASSERT_TRUE(popups->Popup());
    QPointer<TfrmMSNPopUp> w = newest();
    QElapsedTimer clock;
    clock.start();
    while (w && w->tmrScroll().isActive() && clock.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_TRUE(w);
    EXPECT_EQ(w->height(), 121);
    EXPECT_TRUE(w->tmrExit().isActive());
}

} // namespace
} // namespace morva::test
