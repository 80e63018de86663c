// The job list's registration of all jobs on the picked scanner.
#include "VXJobScanViewController.h"

#include <QDialog>
#include <QLineEdit>

#include "DispatchQueue.h"
#include "FernwickException.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "PasswordDialogController.h"
#include "ProcessAnimationController.h"
#include "ProgressRun.h"
#include "ResultMessage.h"
#include "Storyboard.h"
#include "WindowController.h"

void VXJobScanViewController::regsterjoball(QAbstractButton*)
{
    try {
        if (!currentScannerData) {
            throw FernwickException(LocalizedStrings::text("ErrorTitle"),
                                    LocalizedStrings::text("ErrorNoSelectScanner"));
        }
    } catch (const FernwickException& exception) {
        exception.showMessage();
        return;
    }

    passwordDialog = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
    passwordDialogWindow = passwordDialog->window();
    passwordDialogController = static_cast<PasswordDialogController*>(passwordDialog->contentViewController());
    passwordDialogController->showScanner(currentScannerData->scannerName().value_or(std::string()),
                                          currentScannerData->scannerIp().value_or(std::string()));
    if (passwordDialogWindow->exec() == 0) {
        return; // cancelled: nothing is sent
    }
    const std::string password = passwordDialogController->editPassword->text().toStdString();
    const std::shared_ptr<ScannerData> scanner = currentScannerData;

    ProgressWindowPresenter::prepare(processAnimation, processAnimationWindow, processAnimationView,
                                     QString::fromStdString(LocalizedStrings::text("BulkRegist")));
    // Closing the window during the run stops it after the request under way and unlocks the scanner.
    const auto run = ProgressRun::show(this, processAnimationWindow, processAnimationView, "WindowRegistering");

    DispatchQueue::global().async([run, scanner, password] {
        const RunStop::Registration registration = run->registerJobs(scanner, password);
        if (registration.stopped) {
            return;
        }
        run->finish([&] {
            run->close();
            FernwickException(LocalizedStrings::text("ErrorTitle"),
                              ResultMessage::forRegistration(registration.result, registration.reason))
                .showMessage();
        });
    });
}
