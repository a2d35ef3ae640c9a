// Where popups appear for each taskbar edge, how they stack, when a stacked one is refused, and the defaults.
#include "tests/popup/FakePopupPlatform.h"

#include <tuple>

#include <QApplication>

#include <gtest/gtest.h>

namespace morva::test {
namespace {

TEST(TMSNPopUpDefaults, AreTheDocumentedOnes)
{
    TMSNPopUp p(std::make_unique<FakePopupPlatform>());
    EXPECT_EQ(p.Text, "text");
    EXPECT_EQ(p.Title, "title");
    EXPECT_EQ(p.URL, TMSNPopUp::DefaultURL);
    EXPECT_TRUE(p.IconBitmap.isNull());
    EXPECT_TRUE(p.BackgroundImage.isNull());
    EXPECT_EQ(std::tie(p.IconLeft, p.IconTop, p.TimeOut, p.Width, p.Height, p.ScrollSpeed),
              std::make_tuple(8, 8, 10, 148, 121, 9));
    EXPECT_EQ(std::tie(p.PopupMarge, p.PopupStartX, p.PopupStartY), std::make_tuple(2, 16, 2));
    EXPECT_EQ(p.GradientColor1, QColor(0x99, 0xCC, 0xFF));
    EXPECT_EQ(p.GradientColor2, QColor(0xFF, 0xFF, 0xFF));
    EXPECT_EQ(p.GradientOrientation, TOrientation::mbVertical);
    EXPECT_EQ(p.TextAlignment, TAlignment::taCenter);
    EXPECT_EQ(p.BackgroundDrawMethod, TMSNImageDrawMethod::dmActualSize);
    EXPECT_EQ(p.DefaultMonitor, TDefaultMonitor::dmDesktop);
    EXPECT_EQ(p.TextCursor, Qt::ArrowCursor);
    EXPECT_EQ(p.Options, (TMSNPopupOptions{TMSNPopupOption::msnAutoOpenURL, TMSNPopupOption::msnCascadePopups,
                                           TMSNPopupOption::msnAllowScroll, TMSNPopupOption::msnAllowHyperlink}));
    EXPECT_EQ(p.Font.font, QApplication::font());
    EXPECT_TRUE(p.HoverFont.font.underline());
    EXPECT_EQ(p.HoverFont.color, QColor(0, 0, 0xFF));
    EXPECT_TRUE(p.TitleFont.font.bold());
    EXPECT_EQ(p.PopupCount(), 0);
    EXPECT_EQ(p.CascadeOffset(), 0);
    EXPECT_EQ(p.LastTaskbarEdge(), ScreenEdge::Left);
}

struct EdgeCase
{
    const char* name;
    ScreenEdge edge;
    QRect area;
    QPoint first;  // top-left of the first popup, fully shown
    QPoint second; // and of the one stacked onto it
    int fitting;   // popups that fit on top of one another
};

class PopupPlacement : public ::testing::TestWithParam<EdgeCase>, public PopupFixture
{};

TEST_P(PopupPlacement, StacksInsideTheWorkAreaAndStartsOverWhenAllHaveClosed)
{
    const EdgeCase& k = GetParam();
    desk->edge = k.edge;
    desk->area = k.area;

    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* first = newest();
    EXPECT_EQ(first->taskbarEdge(), k.edge == ScreenEdge::None ? ScreenEdge::Bottom : k.edge);
    growFully(first);
    EXPECT_EQ(first->geometry(), QRect(k.first, QSize(148, 121)));
    EXPECT_EQ(first->StartOffset(), 0);
    EXPECT_EQ(popups->CascadeOffset(), 123);

    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* second = newest();
    growFully(second);
    EXPECT_EQ(second->geometry(), QRect(k.second, QSize(148, 121)));
    EXPECT_EQ(second->StartOffset(), 123);

    for (int i = 2; i < k.fitting; ++i)
        ASSERT_TRUE(popups->Popup()) << "popup " << i + 1;
    const int offsetBefore = popups->CascadeOffset();
    EXPECT_FALSE(popups->Popup()) << "one more would leave the work area";
    EXPECT_EQ(popups->PopupCount(), k.fitting);
    EXPECT_EQ(popups->openPopups().size(), std::size_t(k.fitting));
    EXPECT_EQ(popups->CascadeOffset(), offsetBefore);
    for (TfrmMSNPopUp* w : popups->openPopups()) {
        const QRect g = w->geometry();
        EXPECT_TRUE(k.area.contains(g.topLeft()) && k.area.contains(g.bottomRight()))
            << "popup at " << g.y() << " leaves the work area";
    }

    while (!popups->openPopups().empty())
        popups->openPopups().front()->closePopup();
    EXPECT_EQ(popups->PopupCount(), 0);
    flushDeletes();

    ASSERT_TRUE(popups->Popup()) << "shown again once the others have closed";
    growFully(newest());
    EXPECT_EQ(newest()->geometry().topLeft(), k.first);
    EXPECT_EQ(popups->CascadeOffset(), 123);
}

// A 1024 x 768 screen; a 40-pixel taskbar where there is one. With the defaults a popup takes 121 + 2 pixels.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Edges, PopupPlacement, ::testing::Values(
    EdgeCase{"Bottom", ScreenEdge::Bottom, QRect(0, 0, 1024, 728),  {860, 605}, {860, 482}, 5},
    EdgeCase{"Right",  ScreenEdge::Right,  QRect(0, 0, 984, 768),   {820, 645}, {820, 522}, 6},
    EdgeCase{"Top",    ScreenEdge::Top,    QRect(0, 40, 1024, 728), {860, 42},  {860, 165}, 5},
    EdgeCase{"Left",   ScreenEdge::Left,   QRect(40, 0, 984, 768),  {56, 645},  {56, 522},  6},
    // No taskbar to be seen: treated as one at the bottom.
    EdgeCase{"None",   ScreenEdge::None,   QRect(0, 0, 1024, 768),  {860, 645}, {860, 522}, 6}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class PopupStacking : public ::testing::Test, public PopupFixture
{};

TEST_F(PopupStacking, RefusesExactlyWhenTheNextTopWouldPassTheWorkAreaTop)
{
    // 2 + 121 + 123 = 246: two popups fit in 246 pixels, not in 245.
    for (int height : {246, 245}) {
        PopupFixture f;
        f.desk->area = QRect(0, 0, 800, height);
        ASSERT_TRUE(f.popups->Popup());
        EXPECT_EQ(f.popups->Popup(), height == 246) << "work area height " << height;
    }
}

TEST_F(PopupStacking, AtopTaskbarTheWorkAreaTopCountsTowardsTheLimit)
{
    // Work area 40..270: a second popup would end at 40 + 2 + 123 + 121 = 286, past its bottom, although
    // 123 + 121 + 2 alone would still be within 270.
    desk->edge = ScreenEdge::Top;
    desk->area = QRect(0, 40, 800, 230);
    ASSERT_TRUE(popups->Popup());
    EXPECT_FALSE(popups->Popup());
    desk->area = QRect(0, 40, 800, 246);
    EXPECT_TRUE(popups->Popup()) << "ends exactly at the bottom of the work area";
}

TEST_F(PopupStacking, WithoutCascadingEveryPopupTakesTheFirstPlace)
{
    popups->Options.exclude(TMSNPopupOption::msnCascadePopups);
    ASSERT_TRUE(popups->Popup());
    ASSERT_TRUE(popups->Popup());
    EXPECT_EQ(popups->CascadeOffset(), 0);
    EXPECT_EQ(popups->PopupCount(), 2);
    growFully(popups->openPopups()[0]);
    growFully(popups->openPopups()[1]);
    EXPECT_EQ(popups->openPopups()[0]->geometry(), popups->openPopups()[1]->geometry());
}

TEST_F(PopupStacking, ATaskbarThatMovedStartsANewStack)
{
    ASSERT_TRUE(popups->Popup()); // the first Popup sees the edge change from the initial left
    EXPECT_EQ(popups->LastTaskbarEdge(), ScreenEdge::Bottom);
    ASSERT_TRUE(popups->Popup());
    EXPECT_EQ(popups->PopupCount(), 2);

    desk->edge = ScreenEdge::Top;
    ASSERT_TRUE(popups->Popup());
    EXPECT_EQ(popups->LastTaskbarEdge(), ScreenEdge::Top);
    EXPECT_EQ(popups->PopupCount(), 1);
    EXPECT_EQ(newest()->StartOffset(), 0);
    growFully(newest());
    EXPECT_EQ(newest()->geometry().topLeft(), QPoint(860, 2));
}

TEST_F(PopupStacking, ShowPopUpSetsTitleAndText)
{
    popups->ShowPopUp("#Dawnhall", "\xCF\xF0\xE8\xE2\xE5\xF2"); // "Привет" in Windows-1251
    EXPECT_EQ(popups->Title, "#Dawnhall");
    ASSERT_EQ(popups->PopupCount(), 1);
    EXPECT_EQ(newest()->lblTitle()->text(), QStringLiteral("#Dawnhall"));
    EXPECT_EQ(newest()->lblText()->text(), QString::fromUtf8("Привет"));
}

TEST_F(PopupStacking, OpenPopupsGoWithTheNotifier)
{
    ASSERT_TRUE(popups->Popup());
    ASSERT_TRUE(popups->Popup());
    QPointer<TfrmMSNPopUp> a = popups->openPopups()[0];
    QPointer<TfrmMSNPopUp> b = popups->openPopups()[1];
    b->closePopup(); // freed, its deletion still pending
    popups.reset();
    flushDeletes();
    EXPECT_TRUE(a.isNull());
    EXPECT_TRUE(b.isNull());
}

} // namespace
} // namespace morva::test
