// The desktop application as a user meets it on a desktop: its window managed
// by a window manager on a private X server, driven from the keyboard, and
// closed through the window manager while it registers the jobs on a
// simulated scanner that takes 200 ms per answer.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "SimulatorProcess.h"
#include "VirtualDisplay.h"
#include "app/Source/FlowTestSupport.h"

namespace {
using namespace std::chrono_literals;

// The application, started as from a desktop (English texts).
class Application {
public:
    Application(const VirtualDisplay& display, const std::string& jobFolder, const std::string& runtimeFolder)
    {
        mPid = ::fork();
        if (mPid == 0) {
            ::setenv("DISPLAY", display.name().c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
            ::setenv("XDG_DATA_HOME", jobFolder.c_str(), 1);
            // Its settings and logs go to the scratch folder too, not to the account's.
            for (const char* folder : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"}) {
                ::setenv(folder, runtimeFolder.c_str(), 1);
            }
            ::setenv("LANGUAGE", "en", 1);
            ::setenv("LANG", "C.UTF-8", 1);
            // Under AddressSanitizer: leaks of the libraries, not of the program.
            ::setenv("LSAN_OPTIONS", "suppressions=" VANTIX_LSAN_SUPPRESSIONS, 1);
            ::execl(VANTIX_APP_PATH, VANTIX_APP_PATH, static_cast<char*>(nullptr));
            ::_exit(127);
        }
    }
    ~Application()
    {
        if (mPid > 0 && !mEnded) {
            ::kill(mPid, SIGKILL);
            ::waitpid(mPid, nullptr, 0);
        }
    }

    // Waits for the program to end; its exit status, or -1 when it is still
    // running after the limit or ended by a signal.
    int waitForExit(std::chrono::milliseconds limit)
    {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(mPid, &status, WNOHANG) == mPid) {
                mEnded = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(5ms);
        }
        return -1;
    }

private:
    pid_t mPid = -1;
    bool mEnded = false;
};
} // namespace

TEST(ClosingTheWindow, DuringARegistrationStopsItUnlocksTheScannerAndThenEndsTheProgram)
{
    VirtualDisplay display;
    ASSERT_TRUE(display.ready()) << display.failure();
    ScratchFolder data;
    ScratchFolder runtime;
    ::chmod(runtime.path().c_str(), 0700);
    ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    ASSERT_TRUE(JobFolder::ensureExists());
    ScratchJobStore::saveJob(1);
    SimulatorProcess sim({"--request-delay-ms", "200", "--scanner",
                          "ip=127.0.0.2,model=VX200,name=Front desk,serial=A1001,password=1234"});
    ASSERT_TRUE(sim.ready()) << sim.failure();

    Application application(display, data.path(), runtime.path());
    ASSERT_TRUE(display.waitForWindows(1, 20s)) << "the main window";
    const xcb_window_t main = display.windows().front();

    // From "Register Jobs on Scanner" back to the scanner button, which opens
    // the scanner list; its search shows the progress window for a while.
    ASSERT_TRUE(display.pressKeys({"shift+Tab", "space"}));
    ASSERT_TRUE(display.waitForWindows(2, 5s)) << "the search's progress window";
    ASSERT_TRUE(display.waitForWindows(1, 20s)) << "the search ends";
    // Back button, search button, address field, list: its first row is
    // selected as it takes the focus, and Space chooses it.
    ASSERT_TRUE(display.pressKeys({"Tab", "Tab", "Tab", "space"}));
    // Back on the job list, the register button has the focus again.
    ASSERT_TRUE(display.pressKeys({"space"}));
    ASSERT_TRUE(display.waitForWindows(2, 10s)) << "the password dialog";
    ASSERT_TRUE(display.pressKeys({"1", "2", "3", "4", "Return"}));
    const auto slotsSent = [&sim] {
        const auto operations = operationsOf(sim.Requests());
        return std::count(operations.begin(), operations.end(), "delete");
    };
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (slotsSent() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(20ms);
    }
    ASSERT_GE(slotsSent(), 2) << "the registration runs";

    const std::size_t beforeTheClose = sim.Requests().size();
    const auto closed = std::chrono::steady_clock::now();
    display.requestClose(main);
    const int status = application.waitForExit(10s);
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - closed);
    EXPECT_EQ(status, 0) << "the program ends by itself, normally";
    EXPECT_TRUE(onlyTheUnlockFollows(sim.RequestsSince(beforeTheClose)));
    // The request under way (up to 200 ms), the unlock (200 ms), and the program's own end.
    EXPECT_LT(took, 1500ms);
    std::cout << "closing took " << took.count() << " ms\n";
}
