// The engine's host over the Qt event loop.
#include "app/QtHost.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace morva {

QtHost::QtHost() : m_ui(QThread::currentThread()) {}

void QtHost::runOnUiThreadAndWait(const std::function<void()>& fn)
{
    if (isUiThread()) {
        fn();
        return;
    }
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&fn] { fn(); }, Qt::BlockingQueuedConnection);
}

void QtHost::processPendingMessages(bool all)
{
    if (all)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    else
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
}

bool QtHost::isUiThread() const
{
    return QThread::currentThread() == m_ui;
}

} // namespace morva
