// A desktop for popup tests: a work area and a taskbar edge set by the test, and a record of opened addresses.
#include "tests/popup/FakePopupPlatform.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

namespace morva::test {

PopupFixture::PopupFixture()
{
    auto fake = std::make_unique<FakePopupPlatform>();
    desk = fake.get();
    popups = std::make_unique<TMSNPopUp>(std::move(fake));
}

PopupFixture::~PopupFixture()
{
    popups.reset();
    flushDeletes();
}

TfrmMSNPopUp* PopupFixture::newest() const
{
    EXPECT_FALSE(popups->openPopups().empty());
    return popups->openPopups().empty() ? nullptr : popups->openPopups().back();
}

int PopupFixture::growFully(TfrmMSNPopUp* w)
{
    int steps = 0;
    while (w->tmrScroll().isActive() && steps < 200) {
        w->tmrScrollTimer();
        ++steps;
    }
    return steps;
}

int PopupFixture::shrinkFully(TfrmMSNPopUp* w)
{
    int steps = 0;
    while (!w->freed() && steps < 200) {
        w->tmrscrollDownTimer();
        ++steps;
    }
    return steps;
}

void PopupFixture::flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace morva::test
