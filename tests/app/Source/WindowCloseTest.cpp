// The desktop application on a private X server with a window manager, driven
// from the keyboard, and closed through the window manager while it registers
// the jobs on a simulated scanner that takes 200 ms per answer.
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <gtest/gtest.h>

#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "SimulatorProcess.h"
#include "VirtualDisplay.h"
#include "app/Source/FlowTestSupport.h"

using namespace std::chrono_literals;

TEST(ClosingTheWindow, DuringARegistrationStopsItUnlocksTheScannerAndThenEndsTheProgram)
{
    VirtualDisplay display;
    ASSERT_EQ(display.failure(), "");
    ScratchFolder data;
    ScratchFolder runtime;
    ::chmod(runtime.path().c_str(), 0700);
    ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
    ASSERT_TRUE(JobFolder::ensureExists());
    ScratchJobStore::saveJob(1);
    SimulatorProcess sim({"--request-delay-ms", "200", "--scanner",
                          "ip=127.0.0.2,model=VX200,name=Front desk,serial=A1001,password=1234"});
    ASSERT_TRUE(sim.ready()) << sim.failure();

    // The application keeps its settings and logs in the scratch folder, not the account's.
    for (const char* folder : {"XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_STATE_HOME"}) {
        ::setenv(folder, runtime.path().c_str(), 1);
    }
    const pid_t application = ::fork();
    if (application == 0) {
        ::setenv("DISPLAY", display.name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        ::setenv("LANGUAGE", "en", 1);
        ::setenv("LANG", "C.UTF-8", 1);
        // Under AddressSanitizer: leaks of the libraries, not of the program.
        ::setenv("LSAN_OPTIONS", "suppressions=" VANTIX_LSAN_SUPPRESSIONS, 1);
        ::execl(VANTIX_APP_PATH, VANTIX_APP_PATH, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    const auto ended = [&] { return ::waitpid(application, &status, WNOHANG) == application; };
    std::unique_ptr<const pid_t, void (*)(const pid_t*)> reaper(&application, [](const pid_t* pid) {
        ::kill(*pid, SIGKILL);
        ::waitpid(*pid, nullptr, 0);
    });
    ASSERT_TRUE(waitUntil([&] { return display.windows().size() == 1; }, 20s)) << "the main window";
    const xcb_window_t main = display.windows().front();

    // From "Register Jobs on Scanner" back to the scanner button, which opens
    // the scanner list; its search shows the progress window for a while.
    ASSERT_TRUE(display.pressKeys({"shift+Tab", "space"}));
    ASSERT_TRUE(waitUntil([&] { return display.windows().size() == 2; }, 5s)) << "the search's progress window";
    ASSERT_TRUE(waitUntil([&] { return display.windows().size() == 1; }, 20s)) << "the search ends";
    // Back button, search button, address field, list: its first row is
    // selected as it takes the focus, and Space chooses it.
    ASSERT_TRUE(display.pressKeys({"Tab", "Tab", "Tab", "space"}));
    // Back on the job list, the register button has the focus again.
    ASSERT_TRUE(display.pressKeys({"space"}));
    ASSERT_TRUE(waitUntil([&] { return display.windows().size() == 2; }, 10s)) << "the password dialog";
    ASSERT_TRUE(display.pressKeys({"1", "2", "3", "4", "Return"}));
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto operations = operationsOf(sim.Requests());
            return std::count(operations.begin(), operations.end(), "delete") >= 2;
        },
        20s))
        << "the registration runs";

    const std::size_t beforeTheClose = sim.Requests().size();
    const auto closed = std::chrono::steady_clock::now();
    display.requestClose(main);
    ASSERT_TRUE(waitUntil(ended, 10s)) << "the program ends by itself";
    reaper.release();
    // The request under way (up to 200 ms), the unlock (200 ms), and the program's own end.
    EXPECT_LT(std::chrono::steady_clock::now() - closed, 1500ms);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a normal end";
    EXPECT_TRUE(onlyTheUnlockFollows(sim.RequestsSince(beforeTheClose)));
}
