#pragma once

#include <QMetaObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "FWKVXSDK/ScannerData.h"
#include "ProgressWindowPresenter.h"
#include "RunStop.h"

class ProcessAnimationController;
class QDialog;
class ViewController;

// One long operation of a screen (a scanner search, an address check, a
// registration, a scan) shown in the progress window over the main window. The screen
// may leave only when its window is being closed (the progress window is modal
// and the mask takes the clicks); an operation still under way is then
// abandoned: the progress window closes at once, the work on other threads
// stops at its next checkpoint (a registration run after the request under
// way, unlocking the scanner; a scan in its pause between status queries) and
// none of its results are shown.
// Made and closed on the main thread; the worker side may be used from any thread.
class ProgressRun : public std::enable_shared_from_this<ProgressRun> {
public:
    // Shows the progress window over the screen's window, titled by what the
    // operation does (the text for the key); the operation is abandoned when
    // the screen is about to disappear before it is closed.
    static std::shared_ptr<ProgressRun> show(ViewController* screen, QDialog* progressWindow,
                                             ProcessAnimationController* progressView, const char* purposeKey);
    ~ProgressRun();
    ProgressRun(const ProgressRun&) = delete;
    ProgressRun& operator=(const ProgressRun&) = delete;

    // Main thread. Closes the progress window and removes the mask; later calls do nothing.
    void close();
    // Main thread. The screen leaves: stop the work, close the window.
    void abandon();
    bool abandoned() const { return mStop.requested(); }

    // Any thread. The progress text, set on the main thread later on.
    void postProgressText(std::string text);
    // Worker thread. The registration run on this thread, reporting each slot
    // in the progress text; broken off when abandoned, and then unlocked.
    RunStop::Registration registerJobs(const std::shared_ptr<ScannerData>& scanner, const std::string& password);
    // Worker thread. The scan on this thread, each phase shown in the progress
    // text; broken off when abandoned, and then unlocked. The completion gets
    // the result of a scan that was not broken off.
    RunStop::Scan scan(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                       const ScanWorkflow::Completion& completion);
    // Worker thread. Runs the task on the main thread and waits for it, unless
    // the operation is (or meanwhile becomes) abandoned or the program is
    // ending; true when the task ran.
    bool finish(const std::function<void()>& task);

private:
    ProgressRun() = default;

    RunStop mStop;
    // Main thread only.
    QPointer<QDialog> mWindow;
    QPointer<ProcessAnimationController> mView;
    ProgressWindowPresenter::Presentation mPresentation;
    QMetaObject::Connection mLeaving;
    bool mOpen = false;
};
