#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>
#include <xcb/xcb.h>

// A private X server (Xvfb) with a window manager (openbox) for one test, so
// that a program's windows are managed as on a desktop: the window manager
// frames them, gives them the focus and passes close requests on to them.
//
//   VirtualDisplay display;
//   ASSERT_TRUE(display.ready()) << display.failure();
//   ... start the program with DISPLAY=display.name() and QT_QPA_PLATFORM=xcb ...
//   display.pressKeys({"shift+Tab", "space"});
//
// Needs xvfb, openbox and xdotool (scripts/install-deps.sh installs them).
// Link the test with the CMake target vantix_virtual_display.
class VirtualDisplay {
public:
    VirtualDisplay();
    // Ends the window manager and the server.
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ready() const { return mConnection != nullptr && mManaged; }
    const std::string& failure() const { return mFailure; }
    // The value of DISPLAY for programs shown on it (":N").
    const std::string& name() const { return mName; }

    // The windows the window manager shows now (mapped top-level windows), oldest first.
    std::vector<xcb_window_t> windows() const;
    std::string title(xcb_window_t window) const;
    // The titles of the windows shown, for messages.
    std::string titles() const;
    // Waits until exactly `count` windows are shown; false when the time ran out.
    bool waitForWindows(std::size_t count, std::chrono::milliseconds limit) const;

    // Presses keys as the user does (XTEST), on the window that has the focus.
    bool pressKeys(const std::vector<std::string>& keys) const;
    bool typeText(const std::string& text) const;
    // Asks the window manager to close the window, as its close button does
    // (_NET_CLOSE_WINDOW): the window manager sends the window's own close request.
    void requestClose(xcb_window_t window) const;

private:
    xcb_atom_t atom(const char* name) const;
    bool runXdotool(std::vector<std::string> arguments) const;

    pid_t mServer = -1;
    pid_t mWindowManager = -1;
    std::string mName;
    xcb_connection_t* mConnection = nullptr;
    xcb_window_t mRoot = 0;
    bool mManaged = false;
    std::string mFailure;
};
