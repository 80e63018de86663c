// Bulk registration on three simulated scanners as the user starts it on the
// screen: from the press of the registration button until the last row shows
// its result and the progress window has closed. The screen runs on Qt's
// offscreen platform with its real queue, progress texts and main-thread
// hand-off. Run inside a private network namespace (the simulator binds port
// 443 on 127.0.0.2 to .4):
//   tests/netns-run.sh build/normal/bench/bulk_registration_screen_bench [RUNS] [REQUEST-DELAY-MS]
// RUNS (default 7) presses; REQUEST-DELAY-MS (default 0) makes every simulated
// answer wait that long.
#include <QApplication>
#include <QDialog>
#include <QTableWidgetItem>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "BenchJobFolder.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "LocalizedStrings.h"
#include "MessagePresenter.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "QtMainThread.h"
#include "ScanButton.h"
#include "SimulatorProcess.h"
#include "VXJobRegisterViewController.h"

namespace {
constexpr int kScanners = 3;
constexpr double kLimitSeconds = 5.0;

// One press of the button; the seconds until the progress window has closed,
// or a negative value when that took more than a minute.
double pressAndWait(VXJobRegisterViewController& screen)
{
    const auto start = std::chrono::steady_clock::now();
    screen.btnBatchRegist->click();
    while (screen.processAnimationWindow->isVisible()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (std::chrono::steady_clock::now() - start > std::chrono::minutes(1)) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string delay = argc > 2 ? argv[2] : "0";
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::string folder = makeBenchJobFolder();
    if (folder.empty()) {
        std::fprintf(stderr, "cannot create a temporary folder\n");
        return 1;
    }
    SimulatorProcess sim({"--no-mdns", "--fleet", std::to_string(kScanners), "--fleet-keys", "password=pw",
                          "--request-delay-ms", delay});
    if (!sim.ready()) {
        std::fprintf(stderr, "simulator not ready: %s\n", sim.failure().c_str());
        return 1;
    }

    QApplication application(argc, argv);
    LocalizedStrings::setLanguage("en");
    QtMainThread::install();
    MessagePresenter::install([](const MessageAlert& alert) {
        std::fprintf(stderr, "unexpected alert: %s\n", alert.informativeText.c_str());
    });
    bool allSucceeded = true;
    std::vector<double> seconds;
    {
        VXJobRegisterViewController screen;
        screen.loadViewIfNeeded();
        screen.show();
        screen.viewWillAppear();
        for (int i = 0; i < kScanners; ++i) {
            VXJobRegisterViewController::RowRecord row;
            row.scannerData = std::make_shared<ScannerData>();
            row.scannerData->setScannerIp("127.0.0." + std::to_string(2 + i));
            screen.contents.push_back(row);
        }
        for (int run = 0; run < runs; ++run) {
            // What a search leaves: the rows afresh, ticked; the user types each password.
            screen.reloadData();
            for (int row = 0; row < kScanners; ++row) {
                screen.passwordCell(row)->passwordtextfield->setText("pw");
            }
            const double taken = pressAndWait(screen);
            bool succeeded = taken >= 0;
            for (int row = 0; row < kScanners; ++row) {
                succeeded = succeeded && screen.resultCell(row)->text().toStdString() ==
                                             LocalizedStrings::text("ResSuccess");
            }
            allSucceeded = allSucceeded && succeeded;
            seconds.push_back(taken);
            std::printf("run %2d: %.3f s%s\n", run + 1, taken, succeeded ? "" : " (not every row succeeded)");
        }
        screen.viewWillDisappear();
        screen.viewDidDisappear();
        while (DispatchQueue::global().pending() > 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        }
    }
    QtMainThread::shutdown();
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("bulk registration on %d scanners (%s ms per answer), button to last result: min %.3f s, "
                "median %.3f s, max %.3f s (limit %.1f s for the median)\n",
                kScanners, delay.c_str(), seconds.front(), median, seconds.back(), kLimitSeconds);
    std::filesystem::remove_all(folder);
    const bool ok = allSucceeded && median < kLimitSeconds;
    std::printf("%s\n", ok ? "OK" : "OVER LIMIT OR INCOMPLETE");
    return ok ? 0 : 1;
}
