// A desktop for popup tests: a work area and a taskbar edge set by the test, and a record of opened addresses.
#pragma once

#include "popup/PopupPlatform.h"
#include "popup/TMSNPopUp.h"
#include "popup/TMouseLabel.h"
#include "popup/TfrmMSNPopUp.h"

#include <memory>
#include <string>
#include <vector>

#include <QPointer>

namespace morva::test {

class FakePopupPlatform : public PopupPlatform
{
public:
    QRect area{0, 0, 1024, 768};
    ScreenEdge edge = ScreenEdge::Bottom;
    std::vector<std::string> opened;

    QRect workArea() override { return area; }
    ScreenEdge taskbarEdge() override { return edge; }
    void openUrl(const std::string& url) override { opened.push_back(url); }
};

// A notifier over a fake desktop; the fake stays reachable through `desk`.
struct PopupFixture
{
    PopupFixture();
    ~PopupFixture();

    FakePopupPlatform* desk = nullptr;
    std::unique_ptr<TMSNPopUp> popups;

    // The newest open popup window (fails the test when there is none).
    TfrmMSNPopUp* newest() const;
    // Runs the grow timer until the window is fully shown; returns the number of steps (at most 200).
    static int growFully(TfrmMSNPopUp* w);
    // Runs the shrink timer until the window closes; returns the number of steps (at most 200).
    static int shrinkFully(TfrmMSNPopUp* w);
    // Lets deferred deletions happen.
    static void flushDeletes();
};

} // namespace morva::test
