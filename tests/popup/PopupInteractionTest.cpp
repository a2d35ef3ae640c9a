// Clicks, hover, the text layout, the title and icon, the painted background, and the keyboard focus.
#include "popup/PopupPaint.h"
#include "popup/TMouseLabel.h"
#include "tests/popup/FakePopupPlatform.h"

#include <functional>

#include <QApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace morva::test {
namespace {

// A popup fully shown, with what its events raised.
class PopupClicks : public ::testing::Test, public PopupFixture
{
protected:
    PopupClicks()
    {
        popups->OnClick = [this](TMSNPopUp* sender) {
            EXPECT_EQ(sender, popups.get());
            EXPECT_FALSE(newest()->FreeOnClose()) << "the window is kept while OnClick runs";
            ++clicks;
        };
        popups->OnURLClick = [this](TMSNPopUp*, const std::string& url) {
            EXPECT_FALSE(newest()->FreeOnClose());
            urlClicks.push_back(url);
        };
    }

    TfrmMSNPopUp* show()
    {
        EXPECT_TRUE(popups->Popup());
        TfrmMSNPopUp* w = newest();
        growFully(w);
        window = w;
        return w;
    }

    bool closed() const { return window.isNull() || window->freed(); }

    int clicks = 0;
    std::vector<std::string> urlClicks;
    QPointer<TfrmMSNPopUp> window;
};

struct ClickCase
{
    const char* name;
    std::function<QWidget*(TfrmMSNPopUp*)> target;
    QPoint at; // (-1, -1): the centre
    Qt::MouseButton button;
    bool closes;
    int clicks;     // OnClick raised
    bool hyperlink; // OnURLClick raised and URL opened
};

class PopupClickTargets : public PopupClicks, public ::testing::WithParamInterface<ClickCase>
{};

TEST_P(PopupClickTargets, CloseThePopup)
{
    const ClickCase& k = GetParam();
    TfrmMSNPopUp* w = show();
    QWidget* target = k.target(w);
    const QPoint at = k.at == QPoint(-1, -1) ? target->rect().center() : k.at;
    QTest::mouseClick(target, k.button, {}, at);
    EXPECT_EQ(closed(), k.closes);
    EXPECT_EQ(clicks, k.clicks);
    EXPECT_EQ(urlClicks.size(), k.hyperlink ? 1u : 0u);
    EXPECT_EQ(desk->opened.size(), k.hyperlink ? 1u : 0u);
    if (k.hyperlink) {
        EXPECT_EQ(urlClicks[0], TMSNPopUp::DefaultURL);
        EXPECT_EQ(desk->opened[0], TMSNPopUp::DefaultURL);
    }
    EXPECT_EQ(popups->PopupCount(), k.closes ? 0 : 1);
}

QWidget* background(TfrmMSNPopUp* w)
{
    return w->imgGradient();
}
QWidget* icon(TfrmMSNPopUp* w)
{
    return w->imgIcon();
}
QWidget* title(TfrmMSNPopUp* w)
{
    return w->lblTitle();
}
QWidget* text(TfrmMSNPopUp* w)
{
    return w->lblText();
}
QWidget* strip(TfrmMSNPopUp* w)
{
    return w->imgMsn();
}
QWidget* bevel(TfrmMSNPopUp* w)
{
    return w->pnlBorder();
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Targets, PopupClickTargets, ::testing::Values(
    ClickCase{"Background",      background, {100, 100}, Qt::LeftButton,   true,  1, false},
    ClickCase{"BackgroundRight", background, {100, 100}, Qt::RightButton,  true,  1, false},
    ClickCase{"Icon",            icon,       {-1, -1},   Qt::LeftButton,   true,  1, false},
    ClickCase{"Title",           title,      {-1, -1},   Qt::MiddleButton, true,  1, false},
    ClickCase{"TextLeft",        text,       {-1, -1},   Qt::LeftButton,   true,  0, true},
    ClickCase{"TextRight",       text,       {-1, -1},   Qt::RightButton,  true,  1, false},
    ClickCase{"TextMiddle",      text,       {-1, -1},   Qt::MiddleButton, false, 0, false},
    ClickCase{"Strip",           strip,      {-1, -1},   Qt::LeftButton,   false, 0, false},
    ClickCase{"Bevel",           bevel,      {0, 60},    Qt::LeftButton,   false, 0, false}
), [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST_F(PopupClicks, WithoutHyperlinkALeftClickOnTheTextIsAPlainClick)
{
    popups->Options.exclude(TMSNPopupOption::msnAllowHyperlink);
    TfrmMSNPopUp* w = show();
    QTest::mouseClick(w->lblText(), Qt::LeftButton, {}, w->lblText()->rect().center());
    EXPECT_TRUE(closed());
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(urlClicks.empty());
    EXPECT_TRUE(desk->opened.empty());
}

TEST_F(PopupClicks, WithoutAutoOpenTheAddressIsOnlyReported)
{
    popups->Options.exclude(TMSNPopupOption::msnAutoOpenURL);
    popups->URL = "http://dawnhall.example/";
    TfrmMSNPopUp* w = show();
    w->lblTextClick();
    EXPECT_TRUE(closed());
    EXPECT_EQ(urlClicks, std::vector<std::string>{"http://dawnhall.example/"});
    EXPECT_TRUE(desk->opened.empty());
}

TEST_F(PopupClicks, AClosingDuringTheClickHandlerOnlyHidesUntilItReturns)
{
    TfrmMSNPopUp* w = show();
    popups->OnClick = [&](TMSNPopUp*) {
        w->tmrExitTimer();
        shrinkFully(w); // the slide-out ends while the handler runs (a message box would let it)
        EXPECT_FALSE(w->freed());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(popups->PopupCount(), 1);
    };
    w->imgGradientMouseUp(Qt::LeftButton);
    EXPECT_TRUE(w->freed());
    EXPECT_EQ(popups->PopupCount(), 0);
    w->imgGradientMouseUp(Qt::LeftButton); // a late event for a closed window does nothing
    EXPECT_EQ(popups->PopupCount(), 0);
}

TEST_F(PopupClicks, AHandlerThatFreesTheNotifierDoesNotCrash)
{
    show();
    popups->OnClick = [this](TMSNPopUp*) { popups.reset(); };
    window->lblTitleMouseUp(Qt::LeftButton);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
}

TEST_F(PopupClicks, AWindowManagerCloseFreesThePopup)
{
    TfrmMSNPopUp* w = show();
    w->close();
    EXPECT_TRUE(closed());
    EXPECT_EQ(popups->PopupCount(), 0);
}

class PopupLook : public ::testing::Test, public PopupFixture
{};

TEST_F(PopupLook, HoverUnderlinesInBlueAndRecentres)
{
    popups->Text = "a text long enough to wrap onto a second line of the popup";
    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    TMouseLabel* label = w->lblText();
    const QRect plain = label->geometry();
    EXPECT_FALSE(label->font().underline());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));

    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(label, &enter);
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(0, 0, 0xFF));

    popups->HoverFont.font.setPointSize(popups->Font.font.pointSize() * 2);
    QApplication::sendEvent(label, &enter);
    EXPECT_GT(label->height(), plain.height()) << "laid out again at the hover font";
    EXPECT_EQ(label->x(), halfRoundedEven(148 - label->width()));
    EXPECT_EQ(label->y(), halfRoundedEven(121 - label->height()));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    EXPECT_FALSE(label->font().underline());
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::black));
    EXPECT_EQ(label->geometry(), plain);
}

TEST_F(PopupLook, WithoutHyperlinkHoverChangesNothing)
{
    popups->Options.exclude(TMSNPopupOption::msnAllowHyperlink);
    ASSERT_TRUE(popups->Popup());
    TMouseLabel* label = newest()->lblText();
    newest()->lblTextMouseEnter();
    EXPECT_FALSE(label->font().underline());
}

TEST_F(PopupLook, TheTextIsWrappedAndCentredInThePanel)
{
    struct Case
    {
        const char* text;
        TAlignment align;
    };
    const Case cases[] = {
        {"text", TAlignment::taCenter},
        {"", TAlignment::taCenter},
        {"many words that do not fit on one line of a popup window at all", TAlignment::taLeftJustify},
        {"right", TAlignment::taRightJustify},
    };
    for (const Case& k : cases) {
        popups->Text = k.text;
        popups->TextAlignment = k.align;
        ASSERT_TRUE(popups->Popup());
        TfrmMSNPopUp* w = newest();
        const QRect g = w->lblText()->geometry();
        const QFontMetrics fm(w->lblText()->font());
        EXPECT_LE(g.width(), 133) << k.text;
        EXPECT_GT(g.width(), 0) << k.text;
        EXPECT_GE(g.height(), fm.height()) << k.text;
        EXPECT_EQ(g.x(), halfRoundedEven(148 - g.width())) << k.text;
        EXPECT_EQ(g.y(), halfRoundedEven(121 - g.height())) << k.text;
        EXPECT_EQ(w->lblText()->text(), QString::fromLatin1(k.text));
        w->closePopup();
    }
    popups->Text = "many words that do not fit on one line of a popup window at all";
    ASSERT_TRUE(popups->Popup());
    EXPECT_GE(newest()->lblText()->height(), 2 * QFontMetrics(newest()->lblText()->font()).height());
}

TEST_F(PopupLook, TheTitleMakesRoomForAnIcon)
{
    ASSERT_TRUE(popups->Popup());
    EXPECT_EQ(newest()->lblTitle()->pos(), QPoint(8, 8));
    EXPECT_EQ(newest()->lblTitle()->font().bold(), true);

    QImage icon(16, 16, QImage::Format_RGB32);
    icon.fill(QColor(255, 0, 255)); // the key colour, taken from the bottom-left pixel
    icon.setPixel(5, 5, qRgb(200, 0, 0));
    popups->IconBitmap = icon;
    popups->IconLeft = 10;
    popups->IconTop = 12;
    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    EXPECT_EQ(w->lblTitle()->pos(), QPoint(48, 8));
    const QImage painted = w->imgGradient()->pixmap().toImage();
    EXPECT_EQ(QColor(painted.pixel(15, 17)), QColor(200, 0, 0));
    EXPECT_EQ(QColor(painted.pixel(10, 12)),
              BlendColor(popups->GradientColor1, popups->GradientColor2, 12, painted.height()))
        << "the icon's key colour shows the gradient";
}

TEST_F(PopupLook, TheBackgroundIsTheGradientOverTheStrip)
{
    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    EXPECT_EQ(w->pnlBorder()->geometry(), QRect(0, 0, 148, 121));
    EXPECT_EQ(w->imgGradient()->geometry(), QRect(2, 2, 144, 114));
    EXPECT_EQ(w->imgMsn()->geometry(), QRect(2, 116, 144, 3));
    ASSERT_FALSE(w->imgMsn()->pixmap().isNull());
    EXPECT_EQ(w->imgMsn()->pixmap().size(), QSize(138, 3));
    const QImage g = w->imgGradient()->pixmap().toImage();
    ASSERT_EQ(g.size(), QSize(144, 114));
    EXPECT_EQ(QColor(g.pixel(70, 0)), QColor(0x99, 0xCC, 0xFF));
    EXPECT_EQ(QColor(g.pixel(70, 57)), QColor(204, 230, 255));
    EXPECT_EQ(QColor(g.pixel(70, 113)), BlendColor(QColor(0x99, 0xCC, 0xFF), Qt::white, 113, 114));

    popups->BackgroundImage = QImage(8, 8, QImage::Format_RGB32);
    popups->BackgroundImage.fill(QColor(10, 20, 30));
    popups->BackgroundImage.setPixel(1, 1, qRgb(1, 2, 3));
    popups->BackgroundDrawMethod = TMSNImageDrawMethod::dmTile;
    ASSERT_TRUE(popups->Popup());
    const QImage tiled = newest()->imgGradient()->pixmap().toImage();
    EXPECT_EQ(QColor(tiled.pixel(1 + 8 * 17, 1 + 8 * 13)), QColor(1, 2, 3));
    EXPECT_TRUE(newest()->imgMsn()->pixmap().isNull()) << "the strip belongs to the gradient";
}

TEST_F(PopupLook, ShowingAPopupLeavesTheKeyboardWithTheInputLine)
{
    QWidget main;
    auto* input = new QLineEdit(&main);
    main.show();
    main.activateWindow();
    input->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main, 2000));
    ASSERT_EQ(QApplication::focusWidget(), input);

    ASSERT_TRUE(popups->Popup());
    TfrmMSNPopUp* w = newest();
    QTest::qWait(100);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(QApplication::activeWindow(), &main);
    EXPECT_EQ(QApplication::focusWidget(), input);
    EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
    const Qt::WindowFlags flags = w->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(w->windowType(), Qt::Tool);

    QTest::keyClicks(QApplication::focusWidget(), "hi");
    EXPECT_EQ(input->text(), QStringLiteral("hi"));
}

} // namespace
} // namespace morva::test
