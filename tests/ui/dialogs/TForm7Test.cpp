// The colour picker: the code each swatch appends to the input line, and that the picker then closes.
#include "ui/dialogs/TForm7.h"

#include "text/QtText.h"
#include "ui/dialogs/TForm6.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace morva {
namespace {

struct Swatch
{
    const char* name;
    int row, column; // where the swatch is in the grid
    QRgb colour;
    const char* code;
};

void PrintTo(const Swatch& s, std::ostream* os)
{
    *os << s.name;
}

class TForm7Test : public ::testing::TestWithParam<Swatch>
{
protected:
    void click(int row, int column)
    {
        const QRect r = picker.sColorsPanel1->swatchRect(row * ColorsPanel::kColumns + column);
        QTest::mouseClick(picker.sColorsPanel1, Qt::LeftButton, {}, r.center());
    }

    QLineEdit input;
    TForm7 picker{&input};
};

TEST_P(TForm7Test, SwatchAppendsItsCodeAndCloses)
{
    const Swatch& s = GetParam();
    input.setText(QStringLiteral("Привет "));
    picker.show();
    click(s.row, s.column);
    EXPECT_EQ(picker.sColorsPanel1->ColorValue().rgb() & 0xFFFFFF, s.colour);
    EXPECT_EQ(text::fromQString(input.text()), text::fromQString(QStringLiteral("Привет ")) + s.code);
    EXPECT_FALSE(picker.isVisible());
}

// clang-format off
const Swatch kSwatches[] = {
    {"White",   0, 0, 0xFFFFFF, "\x03" "0"},
    {"Black",   0, 1, 0x000000, "\x03" "1"},
    {"Red",     0, 4, 0xFF0000, "\x03" "4"},
    {"Orange",  0, 7, 0xFF4E00, "\x03" "7"},
    {"Yellow",  1, 0, 0xFFF000, "\x03" "8"},
    {"Blue",    1, 4, 0x1200FF, "\x03" "12"},
    {"DD0072",  1, 5, 0xDD0072, "\x03" "13"},
    {"Silver",  1, 7, 0x939393, "\x03" "15"},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Swatches, TForm7Test, ::testing::ValuesIn(kSwatches),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TForm7Test, TheSameSwatchChosenAgainInsertsAgain)
{
    picker.show();
    click(0, 4);
    picker.show();
    click(0, 4);
    EXPECT_EQ(text::fromQString(input.text()), "\x03"
                                               "4\x03"
                                               "4");
    EXPECT_FALSE(picker.isVisible());
}

TEST_F(TForm7Test, AClickBetweenSwatchesInsertsNothing)
{
    picker.show();
    QTest::mouseClick(picker.sColorsPanel1, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(input.text(), QString());
    EXPECT_TRUE(picker.isVisible());
}

TEST(TForm7, WithoutAnInputLineNothingBreaks)
{
    TForm7 picker;
    picker.show();
    const QRect r = picker.sColorsPanel1->swatchRect(1);
    QTest::mouseClick(picker.sColorsPanel1, Qt::LeftButton, {}, r.center());
    EXPECT_FALSE(picker.isVisible());
    QLineEdit later;
    picker.setInput(&later);
    picker.AddToEdit(11);
    EXPECT_EQ(text::fromQString(later.text()), "\x03"
                                               "11");
}

TEST(TForm6, AboutBoxIsAFixedToolWindowWithItsTexts)
{
    TForm6 about;
    about.show();
    EXPECT_EQ(about.windowTitle(), QStringLiteral("О программе..."));
    EXPECT_TRUE(about.windowFlags().testFlag(Qt::Tool));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_FALSE(about.Image1->pixmap().isNull());
    EXPECT_EQ(about.sLabelFX1->text(), QStringLiteral("MORVA"));
    EXPECT_EQ(about.sLabel1->text(), QStringLiteral("Версия 3.7"));
    EXPECT_TRUE(about.sMemo1->isReadOnly());
    EXPECT_FALSE(about.sMemo1->toPlainText().isEmpty());
}

} // namespace
} // namespace morva
