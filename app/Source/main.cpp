// Fernwick Vantix: the desktop application.
#include <QApplication>
#include <QTimer>
#include <syslog.h>

#include "AccessibleFactory.h"
#include "AlertPanel.h"
#include "AppDelegate.h"
#include "ApplicationStyle.h"
#include "ApplicationLog.h"
#include "ApplicationWindows.h"
#include "CommandLine.h"
#include "DispatchQueue.h"
#include "FirstFrameReport.h"
#include "InfoDictionary.h"
#include "LocalizedStrings.h"
#include "MainWindow.h"
#include "NamedImage.h"
#include "PasswordEventFilter.h"
#include "PresetJobs.h"
#include "QtMainThread.h"
#include "QtTranslations.h"
#include "RequestLog.h"

namespace {
// Two requests of at most 30 seconds each, and a margin.
constexpr std::chrono::seconds kLongestStoppingRun{75};
} // namespace

int main(int argc, char** argv)
{
    CommandLine::prepare(argc, argv);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("fernwick-vantix"));
    QApplication::setApplicationVersion(
        QString::fromStdString(*InfoDictionary::objectForKey("CFBundleShortVersionString")));
    // No display name: Qt would add it to every window's title, which names
    // the product itself (WindowTitle).
    // The application id: the name of the desktop entry, the icon and the metadata.
    QApplication::setDesktopFileName(QString::fromStdString(*InfoDictionary::objectForKey("CFBundleIdentifier")));
    QApplication::setWindowIcon(NamedImage::imageNamed(QStringLiteral("fernwick-vantix.png")));
    QApplication::setStyle(new ApplicationStyle);
    // Qt mirrors nothing by itself; each screen mirrors its own views when the
    // language is written right to left.
    QApplication::setLayoutDirection(Qt::LeftToRight);
    QtTranslations::install(QString::fromStdString(LocalizedStrings::language()));
    CommandLine::process(application);
    openlog("fernwick-vantix", LOG_PID, LOG_USER);
    // The first start on an account makes the job folder and takes the jobs an
    // administrator prepared for it, before the job list reads the folder.
    const auto start = PresetJobs::prepareJobFolder(JobBundleTransfer::Audience::Application);
    ApplicationLog::startRequestLog();

    QtMainThread::install();
    AlertPanel::installAsPresenter();
    // What a screen reader is told: the application's own views described,
    // and no character typed into a password field.
    AccessibleFactory::install();
    PasswordEventFilter::install();

    MainWindow window;
    ApplicationWindows::setMainWindow(&window);
    AppDelegate delegate(window.mainMenu());
    delegate.awakeFromNib();
    window.showApplicationNameInMenu();
    QApplication::setQuitOnLastWindowClosed(delegate.applicationShouldTerminateAfterLastWindowClosed());
    FirstFrameReport::installIfRequested(&window);
    window.show();
    delegate.applicationDidFinishLaunching();
    // A preset job set that was refused is reported over the window; one that
    // was imported shows in the job list.
    if (start.presetFound && !start.imported) {
        QTimer::singleShot(0, &window, [report = start.report] { AlertPanel::showMessage(report); });
    }

    const int status = application.exec();
    delegate.applicationWillTerminate();
    QtMainThread::shutdown();
    // A run stopped by closing the window still unlocks its scanner. That must
    // end here, before the exit handlers (OpenSSL's among them) tear down what
    // the request needs; a stopped run sends at most one more request besides
    // the unlock, each limited by the transfer's own time limit.
    DispatchQueue::global().waitUntilIdle(kLongestStoppingRun);
    RequestLog::stop();
    closelog();
    return status;
}
