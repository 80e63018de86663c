#pragma once

#include <optional>
#include <string>

// Where the application keeps what it remembers between starts (the saved
// scanners, the window and the last scanner) and where an administrator puts
// what every account starts with: the XDG configuration folders.
class ConfigFolders {
public:
    // $XDG_CONFIG_HOME/fernwick-vantix; only an absolute $XDG_CONFIG_HOME
    // counts, otherwise ~/.config/fernwick-vantix.
    static std::string userFolder();
    // Creates the user's folder and any missing parent, each new one with mode
    // 0700. True when the folder exists afterwards.
    static bool ensureUserFolder();
    // The first fernwick-vantix/<name> that exists in the folders of
    // $XDG_CONFIG_DIRS (absolute entries only, in their order; /etc/xdg when
    // there are none).
    static std::optional<std::string> systemFile(const std::string& name);
};
