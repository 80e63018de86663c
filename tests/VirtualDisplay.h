#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>
#include <xcb/xcb.h>

// Polls the condition every 20 ms until it holds; false when the time ran out.
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

// A private X server (Xvfb) with a window manager (openbox) for one test, so
// that a program's windows are framed, focused and closed as on a desktop.
// Keys are pressed with xdotool. Link the CMake target vantix_virtual_display.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& failure() const { return mFailure; } // empty once the window manager runs
    const std::string& name() const { return mName; }       // the value of DISPLAY
    // The windows the window manager shows, oldest first.
    std::vector<xcb_window_t> windows() const;
    // Presses keys as the user does, on the window that has the focus.
    bool pressKeys(const std::vector<std::string>& keys) const;
    // Asks the window manager to close the window, as a task bar does
    // (_NET_CLOSE_WINDOW); it passes the window its own close request.
    void requestClose(xcb_window_t window) const;

private:
    xcb_atom_t atom(const char* name) const;
    std::vector<uint32_t> rootProperty(const char* name) const;

    pid_t mServer = -1;
    pid_t mWindowManager = -1;
    std::string mName;
    xcb_connection_t* mConnection = nullptr;
    xcb_window_t mRoot = 0;
    std::string mFailure;
};
