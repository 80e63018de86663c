#include "VirtualDisplay.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace {
// Starts a program on the display, its output discarded.
pid_t spawn(std::vector<std::string> arguments, const std::string& display)
{
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    for (const int output : {STDOUT_FILENO, STDERR_FILENO}) {
        posix_spawn_file_actions_addopen(&quiet, output, "/dev/null", O_WRONLY, 0);
    }
    ::setenv("DISPLAY", display.c_str(), 1);
    pid_t pid = -1;
    ::posix_spawnp(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    return pid;
}

template <typename Reply>
std::unique_ptr<Reply, decltype(&std::free)> owned(Reply* reply)
{
    return {reply, &std::free};
}
} // namespace

VirtualDisplay::VirtualDisplay()
{
    // The server takes a free display number and writes it to the pipe.
    int fds[2];
    if (::pipe(fds) != 0) {
        mFailure = "no pipe for Xvfb";
        return;
    }
    mServer = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x800x24", "-nolisten", "tcp"}, "");
    ::close(fds[1]);
    pollfd output{fds[0], POLLIN, 0};
    char digit = 0;
    mName = ":";
    while (::poll(&output, 1, 10000) > 0 && ::read(fds[0], &digit, 1) == 1 && digit != '\n') {
        mName += digit;
    }
    ::close(fds[0]);
    mConnection = xcb_connect(mName.c_str(), nullptr);
    if (mName == ":" || xcb_connection_has_error(mConnection)) {
        mFailure = "Xvfb did not start (is the package xvfb installed?)";
        return;
    }
    mRoot = xcb_setup_roots_iterator(xcb_get_setup(mConnection)).data->root;
    mWindowManager = spawn({"openbox"}, mName);
    // A window manager that runs announces itself on the root window.
    if (!waitUntil([&] { return !rootProperty("_NET_SUPPORTING_WM_CHECK").empty(); }, std::chrono::seconds(10))) {
        mFailure = "openbox did not start (is the package openbox installed?)";
    }
}

VirtualDisplay::~VirtualDisplay()
{
    xcb_disconnect(mConnection);
    for (const pid_t pid : {mWindowManager, mServer}) {
        if (pid > 0) {
            ::kill(pid, SIGTERM);
            ::waitpid(pid, nullptr, 0);
        }
    }
}

xcb_atom_t VirtualDisplay::atom(const char* name) const
{
    const auto reply = owned(xcb_intern_atom_reply(
        mConnection, xcb_intern_atom(mConnection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<uint32_t> VirtualDisplay::rootProperty(const char* name) const
{
    const auto reply = owned(xcb_get_property_reply(
        mConnection, xcb_get_property(mConnection, 0, mRoot, atom(name), XCB_ATOM_WINDOW, 0, 1024), nullptr));
    if (!reply || reply->format != 32) {
        return {};
    }
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

std::vector<xcb_window_t> VirtualDisplay::windows() const
{
    std::vector<xcb_window_t> shown;
    for (const xcb_window_t window : rootProperty("_NET_CLIENT_LIST")) {
        const auto attributes =
            owned(xcb_get_window_attributes_reply(mConnection, xcb_get_window_attributes(mConnection, window), nullptr));
        if (attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE) {
            shown.push_back(window);
        }
    }
    return shown;
}

bool VirtualDisplay::pressKeys(const std::vector<std::string>& keys) const
{
    std::vector<std::string> arguments{"xdotool", "key", "--delay", "150"};
    arguments.insert(arguments.end(), keys.begin(), keys.end());
    const pid_t tool = spawn(arguments, mName);
    int status = 0;
    return tool > 0 && ::waitpid(tool, &status, 0) == tool && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void VirtualDisplay::requestClose(xcb_window_t window) const
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_CLOSE_WINDOW");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2; // a direct request of the user
    xcb_send_event(mConnection, 0, mRoot, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(mConnection);
}
