// The engine's host over the Qt event loop.
#pragma once

#include "engine/Host.h"

#include <QThread>

namespace morva {

// Runs hand-offs as blocking queued calls on the application object's thread. Created on the UI thread.
class QtHost : public Host
{
public:
    QtHost();
    void runOnUiThreadAndWait(const std::function<void()>& fn) override;
    void processPendingMessages(bool all = true) override;
    bool isUiThread() const override;

private:
    QThread* m_ui;
};

} // namespace morva
