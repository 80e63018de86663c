#include "PasswordInput.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {
termios savedTerminal{};
volatile sig_atomic_t echoIsOff = 0;
const int kRestoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGTSTP};

// Puts the echo back before the signal takes its usual effect.
void restoreAndReraise(int signal)
{
    if (echoIsOff != 0) {
        ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        echoIsOff = 0;
    }
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

class EchoOff {
public:
    EchoOff()
    {
        if (::tcgetattr(STDIN_FILENO, &savedTerminal) != 0) {
            return;
        }
        for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i) {
            struct sigaction action {};
            action.sa_handler = restoreAndReraise;
            sigemptyset(&action.sa_mask);
            ::sigaction(kRestoringSignals[i], &action, &mPrevious[i]);
        }
        termios quiet = savedTerminal;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        quiet.c_lflag |= ECHONL;
        if (::tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0) {
            echoIsOff = 1;
        }
        mActive = true;
    }
    ~EchoOff()
    {
        if (!mActive) {
            return;
        }
        if (echoIsOff != 0) {
            ::tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
            echoIsOff = 0;
        }
        for (std::size_t i = 0; i < std::size(kRestoringSignals); ++i) {
            ::sigaction(kRestoringSignals[i], &mPrevious[i], nullptr);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    bool mActive = false;
    struct sigaction mPrevious[std::size(kRestoringSignals)] {};
};

// One line from the descriptor, byte by byte so that nothing after it is consumed.
std::optional<std::string> readLine()
{
    std::string line;
    for (;;) {
        char c = 0;
        const ssize_t got = ::read(STDIN_FILENO, &c, 1);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0 || c == '\n') {
            break;
        }
        if (line.size() >= PasswordInput::kMaximumLength) {
            return std::nullopt;
        }
        line += c;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return line;
}
} // namespace

std::optional<std::string> PasswordInput::read(const std::string& prompt)
{
    if (::isatty(STDIN_FILENO) == 0) {
        return readLine();
    }
    // Echo goes off before the prompt shows, so nothing typed after the prompt
    // is echoed, and nothing typed ahead is thrown away.
    EchoOff quiet;
    std::fputs(prompt.c_str(), stderr);
    std::fflush(stderr);
    return readLine();
}
