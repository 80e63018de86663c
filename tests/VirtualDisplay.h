#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>
#include <xcb/xcb.h>

// A private X server (Xvfb) with a window manager (openbox) for one test, so
// that a program's windows are managed as on a desktop: the window manager
// frames them, gives them the focus and passes close requests on to them.
// Needs xvfb, openbox and xdotool (scripts/install-deps.sh installs them).
// Link the test with the CMake target vantix_virtual_display.
class VirtualDisplay {
public:
    VirtualDisplay();
    // Ends the window manager and the server.
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ready() const { return mManaged; }
    const std::string& failure() const { return mFailure; }
    // The value of DISPLAY for programs shown on it (":N").
    const std::string& name() const { return mName; }

    // The windows the window manager shows now, oldest first.
    std::vector<xcb_window_t> windows() const;
    // Waits until exactly `count` windows are shown; false when the time ran out.
    bool waitForWindows(std::size_t count, std::chrono::milliseconds limit) const;
    // Presses keys as the user does (XTEST), on the window that has the focus.
    bool pressKeys(const std::vector<std::string>& keys) const;
    // Asks the window manager to close the window, as a task bar does
    // (_NET_CLOSE_WINDOW): the window manager sends the window's own close request.
    void requestClose(xcb_window_t window) const;

private:
    xcb_atom_t atom(const char* name) const;
    // The property's values on the root window.
    std::vector<uint32_t> rootProperty(const char* name, xcb_atom_t type) const;

    pid_t mServer = -1;
    pid_t mWindowManager = -1;
    std::string mName;
    xcb_connection_t* mConnection = nullptr;
    xcb_window_t mRoot = 0;
    bool mManaged = false;
    std::string mFailure;
};
