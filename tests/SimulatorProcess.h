#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <sys/types.h>

// Runs vantix-scanner-sim as a child process for one test, in a private
// temporary folder, with its request log there. Run the test inside
// tests/netns-run.sh (vantix_add_test ... NETNS): the simulator binds port 443
// on 127.0.0.x and may answer multicast DNS.
//
//   SimulatorProcess sim({"--no-mdns", "--scanner", "ip=127.0.0.2,password=pw"});
//   ASSERT_TRUE(sim.ready()) << sim.failure();
//   ... talk to 127.0.0.2 ...
//   auto requests = sim.Requests(); // one JSON object per request received:
//   // {"scanner","method","path","headers":[[name,value],...],"body"}
//
// Link the test with the CMake target vantix_simulator_process.
class SimulatorProcess {
public:
    // Starts the simulator with these arguments plus "--log <folder>/requests.jsonl"
    // and waits until it reports that every server listens.
    explicit SimulatorProcess(std::vector<std::string> arguments,
                              std::chrono::milliseconds readyTimeout = std::chrono::seconds(10));
    // Stops it (SIGTERM, then SIGKILL after a few seconds) and removes the folder.
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    bool ready() const { return mReady; }
    // Why it is not ready: the simulator's error output, or what went wrong starting it.
    std::string failure() const;

    // Every request logged so far, in the order received.
    std::vector<nlohmann::json> Requests() const;
    // Requests logged after the first `skip` ones (use Requests().size() as a mark).
    std::vector<nlohmann::json> RequestsSince(size_t skip) const;

    // The private folder, for files the test hands to the simulator (body-file=...).
    const std::string& folder() const { return mFolder; }
    // Writes a file into the folder and returns its path.
    std::string WriteFile(const std::string& name, const std::string& content) const;
    std::string logPath() const { return mFolder + "/requests.jsonl"; }
    // What the simulator printed so far on standard output and standard error.
    std::string standardOutput() const;
    std::string standardError() const;

    // Stops the simulator now; returns its exit status (-1 when it had to be killed).
    int Stop();
    // Waits for the simulator to end by itself; its exit status, or -1 when it
    // is still running after the limit (or did not exit normally).
    int WaitForExit(std::chrono::milliseconds limit);

    // Path of the simulator executable this build made.
    static std::string ExecutablePath();

private:
    std::string mFolder;
    pid_t mPid = -1;
    bool mReady = false;
    int mExitStatus = -1;
    std::string mStartError;
};
