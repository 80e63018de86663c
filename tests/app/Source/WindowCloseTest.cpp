// The desktop application on a private X server with a window manager
// (tests/accessibility-session.sh), driven from the keyboard, and closed
// through the window manager while it registers the jobs on a simulated
// scanner that takes 200 ms per answer.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <gtest/gtest.h>

#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "SimulatorProcess.h"
#include "app/Source/FlowTestSupport.h"

using namespace std::chrono_literals;

namespace {
bool waitUntil(auto condition, std::chrono::milliseconds limit)
{
    for (const auto end = std::chrono::steady_clock::now() + limit; !condition(); std::this_thread::sleep_for(20ms)) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
    }
    return true; // asked once more, a reaped program would no longer be found
}

// X's command-line tools (xdotool, wmctrl) on the session's display.
bool run(const std::string& command)
{
    return std::system(command.c_str()) == 0;
}

bool shown(const std::string& title)
{
    return run("xdotool search --onlyvisible --name '" + title + "' >/dev/null");
}
} // namespace

TEST(ClosingTheWindow, DuringARegistrationStopsItUnlocksTheScannerAndThenEndsTheProgram)
{
    // Jobs and logs in a scratch folder; the session has settings of its own.
    ScratchFolder data;
    for (const char* folder : {"XDG_DATA_HOME", "XDG_STATE_HOME"}) {
        ::setenv(folder, data.path().c_str(), 1);
    }
    ASSERT_TRUE(JobFolder::ensureExists());
    ScratchJobStore::saveJob(1);
    SimulatorProcess sim({"--request-delay-ms", "200", "--scanner",
                          "ip=127.0.0.2,model=VX200,name=Front desk,serial=A1001,password=1234"});
    ASSERT_TRUE(sim.ready()) << sim.failure();

    ::setenv("LANGUAGE", "en", 1);
    ::setenv("LANG", "C.UTF-8", 1);
    // Under AddressSanitizer: leaks of the libraries, not of the program.
    ::setenv("LSAN_OPTIONS", "suppressions=" VANTIX_LSAN_SUPPRESSIONS, 1);
    char* argv[] = {const_cast<char*>(VANTIX_APP_PATH), nullptr};
    pid_t application = -1;
    ASSERT_EQ(::posix_spawn(&application, VANTIX_APP_PATH, nullptr, nullptr, argv, environ), 0);
    int status = 0;
    const auto ended = [&] { return ::waitpid(application, &status, WNOHANG) == application; };
    std::unique_ptr<const pid_t, void (*)(const pid_t*)> reaper(&application, [](const pid_t* pid) {
        ::kill(*pid, SIGKILL);
        ::waitpid(*pid, nullptr, 0);
    });
    ASSERT_TRUE(waitUntil([] { return shown("Job list"); }, 20s)) << "the main window";

    // From "Register Jobs on Scanner" back to the scanner button, which opens
    // the scanner list; its search shows the progress window for a while.
    ASSERT_TRUE(run("xdotool key --delay 150 shift+Tab space"));
    ASSERT_TRUE(waitUntil([] { return shown("Searching"); }, 5s)) << "the search's progress window";
    ASSERT_TRUE(waitUntil([] { return !shown("Searching"); }, 20s)) << "the search ends";
    // Back button, search button, address field, list: its first row is
    // selected as it takes the focus, and Space chooses it. Back on the job
    // list, the register button has the focus again.
    ASSERT_TRUE(run("xdotool key --delay 150 Tab Tab Tab space space"));
    ASSERT_TRUE(waitUntil([] { return shown("Password"); }, 10s)) << "the password dialog";
    ASSERT_TRUE(run("xdotool key --delay 150 1 2 3 4 Return"));
    ASSERT_TRUE(waitUntil(
        [&] {
            const auto operations = operationsOf(sim.Requests());
            return std::count(operations.begin(), operations.end(), "delete") >= 2;
        },
        20s))
        << "the registration runs";

    const std::size_t beforeTheClose = sim.Requests().size();
    const auto closed = std::chrono::steady_clock::now();
    // As a task bar does: _NET_CLOSE_WINDOW, which openbox passes on as the window's own close request.
    ASSERT_TRUE(run("wmctrl -c 'Job list'"));
    ASSERT_TRUE(waitUntil(ended, 10s)) << "the program ends by itself";
    reaper.release();
    // The request under way (up to 200 ms), the unlock (200 ms), and the program's own end.
    EXPECT_LT(std::chrono::steady_clock::now() - closed, 1500ms);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a normal end";
    EXPECT_TRUE(onlyTheUnlockFollows(sim.RequestsSince(beforeTheClose)));
}
