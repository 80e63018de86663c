#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

// Runs a multicast-DNS responder that nobody here wrote, for one test:
// python3-zeroconf or avahi-daemon (tests/responders/), each publishing
// "_scanner._tcp" services with the scanner TXT keys. Run the test inside
// tests/netns-run.sh (vantix_add_test ... NETNS): these responders must never
// see the machine's real interfaces.
//
//   ResponderProcess zeroconf = ResponderProcess::Zeroconf({"Desk:MODEL07:ZC1"});
//   ASSERT_TRUE(zeroconf.ready()) << zeroconf.failure();
//
// Link the test with the CMake target vantix_responder_process.
class ResponderProcess {
public:
    // One service per "DEVICE:MODEL:SERIAL". Commands: "withdraw DEVICE".
    static ResponderProcess Zeroconf(const std::vector<std::string>& services);
    static ResponderProcess Avahi(const std::string& device, const std::string& model, const std::string& serial);

    ResponderProcess(ResponderProcess&& other) noexcept;
    ResponderProcess& operator=(ResponderProcess&&) = delete;
    ResponderProcess(const ResponderProcess&) = delete;
    ResponderProcess& operator=(const ResponderProcess&) = delete;
    // Ends it: its standard input closes, so it withdraws its services and stops.
    ~ResponderProcess();

    bool ready() const { return mReady; }
    std::string failure() const { return mFailure; }
    // Sends one command line and waits for the line `reply` on its output.
    bool Command(const std::string& line, const std::string& reply, std::chrono::milliseconds limit);

private:
    explicit ResponderProcess(std::vector<std::string> arguments);
    bool WaitForLine(const std::string& line, std::chrono::milliseconds limit);

    pid_t mPid = -1;
    int mInput = -1;
    int mOutput = -1;
    std::string mReceived;   // not yet matched
    std::string mTranscript; // everything it printed
    bool mReady = false;
    std::string mFailure;
};
