// Scrolling the job list's grid with 99 jobs: the time of each scroll step
// from the change of position until the window has painted it, as a user
// dragging the scroll bar or turning the wheel sees it. Offscreen unless
// QT_QPA_PLATFORM says otherwise (run it with xcb under Xvfb for an X server).
//   build/normal/bench/job_grid_scroll_bench [--step PIXELS] [--rounds N]
#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "ApplicationWindows.h"
#include "BenchJobFolder.h"
#include "JobCollectionView.h"
#include "MainWindow.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"

namespace {
double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[static_cast<std::size_t>(share * (values.size() - 1))];
}
} // namespace

int main(int argc, char** argv)
{
    int step = 8;
    int rounds = 5;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--step") == 0) {
            step = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--rounds") == 0) {
            rounds = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir data;
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    useScratchConfig(QFile::encodeName(data.path()).toStdString());
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    JobFolder::ensureExists();
    saveNumberedJobs(99);

    MainWindow window;
    ApplicationWindows::setMainWindow(&window);
    window.show();
    QApplication::processEvents();
    JobCollectionView* grid = window.container()->jobScanViewController->collectionview;
    QScrollBar* bar = grid->verticalScrollBar();
    grid->viewport()->repaint();

    std::vector<double> milliseconds;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round) {
        const bool down = round % 2 == 0;
        for (int value = down ? 0 : bar->maximum(); down ? value <= bar->maximum() : value >= 0;
             value += down ? step : -step) {
            timer.start();
            bar->setValue(value);
            QApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
            QApplication::processEvents();
            milliseconds.push_back(timer.nsecsElapsed() / 1e6);
        }
    }
    std::printf("99 jobs, %d columns, range %d px, step %d px, %zu frames: median %.2f ms, 95th %.2f ms, max %.2f ms\n",
                grid->columnCount(), bar->maximum(), step, milliseconds.size(), percentile(milliseconds, 0.5),
                percentile(milliseconds, 0.95), percentile(milliseconds, 1.0));
    return 0;
}
