// The taskbar edge as read from a screen's full and available geometry.
#include "popup/QtPopupPlatform.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

struct EdgeCase
{
    const char* name;
    QRect available;
    ScreenEdge expected;
};

class EdgeFromGeometry : public ::testing::TestWithParam<EdgeCase>
{};

TEST_P(EdgeFromGeometry, FindsTheSideTakenAway)
{
    const QRect full(0, 0, 1024, 768);
    EXPECT_EQ(QtPopupPlatform::edgeFromGeometry(full, GetParam().available), GetParam().expected)
        << edgeName(QtPopupPlatform::edgeFromGeometry(full, GetParam().available));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Screens, EdgeFromGeometry, ::testing::Values(
    EdgeCase{"Bottom",        QRect(0, 0, 1024, 728),  ScreenEdge::Bottom},
    EdgeCase{"Top",           QRect(0, 30, 1024, 738), ScreenEdge::Top},
    EdgeCase{"Left",          QRect(60, 0, 964, 768),  ScreenEdge::Left},
    EdgeCase{"Right",         QRect(0, 0, 964, 768),   ScreenEdge::Right},
    EdgeCase{"NoPanel",       QRect(0, 0, 1024, 768),  ScreenEdge::None},
    EdgeCase{"TopBarAndDock", QRect(70, 27, 954, 741), ScreenEdge::Left},  // the wider strip wins
    EdgeCase{"EqualTopBottom", QRect(0, 30, 1024, 708), ScreenEdge::Bottom} // ties go to the bottom
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
} // namespace morva
