#include "VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

namespace {
// Starts a program with these arguments and DISPLAY (when given); -1 when it cannot start.
pid_t spawn(std::vector<std::string> arguments, const std::string& display, int keepOpen = -1)
{
    const pid_t pid = ::fork();
    if (pid != 0) {
        return pid;
    }
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    for (int fd = 3; fd < 256; ++fd) {
        if (fd != keepOpen) {
            ::close(fd);
        }
    }
    if (!display.empty()) {
        ::setenv("DISPLAY", display.c_str(), 1);
    }
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    ::execvp(argv[0], argv.data());
    ::_exit(127);
}

void stop(pid_t pid)
{
    if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
}

template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;
} // namespace

VirtualDisplay::VirtualDisplay()
{
    // The server picks a free display number and writes it to the pipe.
    int fds[2];
    if (::pipe(fds) != 0) {
        mFailure = "no pipe for Xvfb";
        return;
    }
    mServer = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x800x24", "-nolisten", "tcp"},
                    "", fds[1]);
    ::close(fds[1]);
    std::string number;
    pollfd wait{fds[0], POLLIN, 0};
    char digit = 0;
    while (::poll(&wait, 1, 10000) > 0 && ::read(fds[0], &digit, 1) == 1 && digit != '\n') {
        number += digit;
    }
    ::close(fds[0]);
    if (number.empty()) {
        mFailure = "Xvfb did not start (is the package xvfb installed?)";
        return;
    }
    mName = ":" + number;
    mConnection = xcb_connect(mName.c_str(), nullptr);
    if (xcb_connection_has_error(mConnection)) {
        xcb_disconnect(mConnection);
        mConnection = nullptr;
        mFailure = "cannot connect to " + mName;
        return;
    }
    mRoot = xcb_setup_roots_iterator(xcb_get_setup(mConnection)).data->root;
    mWindowManager = spawn({"openbox"}, mName);
    // A window manager that runs announces itself on the root window.
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    mManaged = waitUntil(
        [&] {
            ReplyPointer<xcb_get_property_reply_t> reply(
                xcb_get_property_reply(mConnection,
                                       xcb_get_property(mConnection, 0, mRoot, check, XCB_ATOM_WINDOW, 0, 1), nullptr),
                &std::free);
            return reply && xcb_get_property_value_length(reply.get()) > 0;
        },
        std::chrono::seconds(10));
    if (!mManaged) {
        mFailure = "openbox did not start (is the package openbox installed?)";
    }
}

VirtualDisplay::~VirtualDisplay()
{
    if (mConnection) {
        xcb_disconnect(mConnection);
    }
    stop(mWindowManager);
    stop(mServer);
}

xcb_atom_t VirtualDisplay::atom(const char* name) const
{
    ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(mConnection,
                              xcb_intern_atom(mConnection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<xcb_window_t> VirtualDisplay::windows() const
{
    std::vector<xcb_window_t> shown;
    if (!mConnection) {
        return shown;
    }
    ReplyPointer<xcb_get_property_reply_t> list(
        xcb_get_property_reply(
            mConnection, xcb_get_property(mConnection, 0, mRoot, atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 1024),
            nullptr),
        &std::free);
    if (!list) {
        return shown;
    }
    const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(list.get()));
    const int count = xcb_get_property_value_length(list.get()) / static_cast<int>(sizeof(xcb_window_t));
    for (int i = 0; i < count; ++i) {
        ReplyPointer<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(mConnection, xcb_get_window_attributes(mConnection, ids[i]), nullptr),
            &std::free);
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            shown.push_back(ids[i]);
        }
    }
    return shown;
}

std::string VirtualDisplay::title(xcb_window_t window) const
{
    ReplyPointer<xcb_get_property_reply_t> name(
        xcb_get_property_reply(mConnection,
                               xcb_get_property(mConnection, 0, window, atom("_NET_WM_NAME"),
                                                atom("UTF8_STRING"), 0, 256),
                               nullptr),
        &std::free);
    if (!name) {
        return {};
    }
    return std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(name.get())));
}

std::string VirtualDisplay::titles() const
{
    std::string all;
    for (const xcb_window_t window : windows()) {
        all += (all.empty() ? "\"" : ", \"") + title(window) + "\"";
    }
    return all;
}

bool VirtualDisplay::waitForWindows(std::size_t count, std::chrono::milliseconds limit) const
{
    return waitUntil([&] { return windows().size() == count; }, limit);
}

bool VirtualDisplay::runXdotool(std::vector<std::string> arguments) const
{
    arguments.insert(arguments.begin(), "xdotool");
    const pid_t tool = spawn(arguments, mName);
    int status = 0;
    return tool > 0 && ::waitpid(tool, &status, 0) == tool && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

bool VirtualDisplay::pressKeys(const std::vector<std::string>& keys) const
{
    std::vector<std::string> arguments{"key", "--delay", "150"};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    return runXdotool(arguments);
}

bool VirtualDisplay::typeText(const std::string& text) const
{
    return runXdotool({"type", "--delay", "50", text});
}

void VirtualDisplay::requestClose(xcb_window_t window) const
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_CLOSE_WINDOW");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2; // from a pager or task bar: a direct user request
    xcb_send_event(mConnection, 0, mRoot,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(mConnection);
}
