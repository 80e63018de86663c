#include "QtMainThread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <utility>

#include "FWKVXSDK/MainThreadDispatcher.h"

void QtMainThread::install()
{
    MainThreadDispatcher::SetHook([](MainThreadDispatcher::Task task) {
        // A queued call to the application object runs in whichever event loop the
        // main thread is in, a modal dialog's included.
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
    });
}

void QtMainThread::shutdown()
{
    MainThreadDispatcher::Close();
}
