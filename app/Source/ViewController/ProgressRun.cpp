#include "ProgressRun.h"

#include <QDialog>

#include "FWKVXSDK/MainThreadDispatcher.h"
#include "LocalizedText.h"
#include "ProcessAnimationController.h"
#include "ProgressText.h"
#include "ViewController.h"
#include "WindowTitle.h"

std::shared_ptr<ProgressRun> ProgressRun::show(ViewController* screen, QDialog* progressWindow,
                                               ProcessAnimationController* progressView, const char* purposeKey)
{
    std::shared_ptr<ProgressRun> run(new ProgressRun);
    WindowTitle::set(progressWindow, localized(purposeKey));
    run->mWindow = progressWindow;
    run->mView = progressView;
    run->mPresentation = ProgressWindowPresenter::show(screen ? screen->window() : nullptr, progressWindow);
    run->mOpen = true;
    if (screen) {
        const std::weak_ptr<ProgressRun> weak = run;
        run->mLeaving = QObject::connect(screen, &ViewController::lifeCycle, screen, [weak](const QString& call) {
            if (call == QStringLiteral("viewWillDisappear")) {
                if (const auto leaving = weak.lock()) {
                    leaving->abandon();
                }
            }
        });
    }
    return run;
}

ProgressRun::~ProgressRun()
{
    QObject::disconnect(mLeaving);
}

void ProgressRun::close()
{
    QObject::disconnect(mLeaving);
    if (mOpen) {
        mOpen = false;
        ProgressWindowPresenter::close(mPresentation, mWindow);
    }
}

void ProgressRun::abandon()
{
    mStop.request();
    close();
}

void ProgressRun::postProgressText(std::string text)
{
    MainThreadDispatcher::Post([run = shared_from_this(), text = std::move(text)] {
        if (run->mView && !run->abandoned()) {
            run->mView->setProgressText(QString::fromStdString(text));
        }
    });
}

RunStop::Registration ProgressRun::registerJobs(const std::shared_ptr<ScannerData>& scanner,
                                                const std::string& password)
{
    return mStop.registerJobs(scanner, password, [this](const std::shared_ptr<BulkJobStatus>& item) {
        postProgressText(ProgressText::forRegistration(*item));
    });
}

RunStop::Scan ProgressRun::scan(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                                const ScanWorkflow::Completion& completion)
{
    return mStop.scan(
        scanner, job,
        [this](int64_t status) {
            if (const auto text = ProgressText::forScanStatus(status)) {
                postProgressText(*text);
            }
        },
        completion);
}

bool ProgressRun::finish(const std::function<void()>& task)
{
    if (abandoned()) {
        return false; // the window is closing: nothing to wait for on the main thread
    }
    bool ran = false;
    MainThreadDispatcher::RunAndWait([&] {
        // Decided on the main thread, where the screen abandons its operations.
        if (!abandoned()) {
            ran = true;
            task();
        }
    });
    return ran;
}
